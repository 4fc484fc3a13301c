#include "analysis/load_warnings.h"

namespace zuv {

void LoadWarnings::add(LoadWarning w)
{
    listed.push_back(std::move(w));
    ++total;
}

void LoadWarnings::append(const LoadWarnings& more, const QString& file)
{
    for (LoadWarning w : more.listed) {
        if (w.file.isEmpty())
            w.file = file;
        listed.push_back(std::move(w));
    }
    total += more.total;
}

} // namespace zuv
