#include "shell/command_captions.h"

#include "project/state.h"

namespace zuv {

QString withoutMnemonic(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

FileDialogRequest commandFileDialog(bool save, int caption, const QString& filter, const QString& folder)
{
    FileDialogRequest request;
    request.save = save;
    request.title = withoutMnemonic(languageText(caption));
    request.filter = filter;
    request.folder = folder;
    return request;
}

} // namespace zuv
