#pragma once
// The worked record of the configuration pages: English, mph and psi,
// display pages 3 and 9, lap recording with its times, and the first two
// sectors; everything else as a fresh record.

#include "project/project_record.h"

namespace zuv::test {

ProjectRecord workedConfigRecord();

} // namespace zuv::test
