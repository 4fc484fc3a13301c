// zuv-example-session: writes the shipped example (two circuits and one
// session made through our own download and Save Data) into a data folder,
// by default the source tree's data/. Run it after a change of the download,
// the export or the example itself, and commit what changed.

#include "support/example_session.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <cstring>

namespace {

void usage(std::FILE* out)
{
    std::fprintf(out,
                 "Usage: zuv-example-session [FOLDER]\n"
                 "\n"
                 "Writes the example circuits and session into FOLDER's tracks/ and\n"
                 "examples/ (default %s).\n"
                 "  -h, --help  this text\n",
                 ZUV_SHIPPED_DATA_DIR);
}

} // namespace

int main(int argc, char** argv)
{
    QString folder = QStringLiteral(ZUV_SHIPPED_DATA_DIR);
    bool named = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "--help")) {
            usage(stdout);
            return 0;
        }
        if (arg[0] == '-' || named) {
            std::fprintf(stderr, "zuv-example-session: unknown argument %s\n\n", arg);
            usage(stderr);
            return 2;
        }
        folder = QString::fromLocal8Bit(arg);
        named = true;
    }

    QString error;
    const std::vector<zuv::test::ExampleFile> files = zuv::test::exampleFiles(&error);
    if (files.empty()) {
        std::fprintf(stderr, "zuv-example-session: %s\n", qPrintable(error));
        return 1;
    }
    for (const zuv::test::ExampleFile& f : files) {
        const QString path = QDir(folder).filePath(f.path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(f.bytes) != f.bytes.size() || !out.commit()) {
            std::fprintf(stderr, "zuv-example-session: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
