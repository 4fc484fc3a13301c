#include "project/language.h"

#include "platform/messages.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/state.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

namespace zuv {
namespace {

const QString kFileName = QStringLiteral("LANGUAGES.DAT");

// Keeps OffsetLingua + n within 16 bits for every text of a language.
constexpr qint64 kMaxCount = 65534;

// Everything after the first "=", one leading and one trailing quote off;
// nothing when the line has no "=".
std::optional<QString> lineValue(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    QString v = line.mid(eq + 1);
    if (v.startsWith(QLatin1Char('"')))
        v.remove(0, 1);
    if (v.endsWith(QLatin1Char('"')))
        v.chop(1);
    return v;
}

std::optional<qint64> wholeNumber(const QString& text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

bool fatal(const QString& path)
{
    msgBox(QStringLiteral("Fatal Error: Language database file ") + path
               + QStringLiteral(" is missing critical information."),
           MsgIcon::Critical, MsgButtons::Ok);
    return false;
}

} // namespace

bool CaricaLingue()
{
    const QString path = programFile(kFileName);
    if (!QFileInfo(path).isFile()) {
        msgBox(QStringLiteral("Fatal Error: Language database file ") + path
                   + QStringLiteral(" was not found."),
               MsgIcon::Critical, MsgButtons::Ok);
        return false;
    }
    const std::optional<QStringList> read = readTextLines(path);
    if (!read || read->size() < 2)
        return fatal(path);
    const QStringList& lines = *read;

    const auto index = wholeNumber(lines.at(0));
    if (!index || *index < 0 || *index > 1)
        return fatal(path);

    const auto countText = lineValue(lines.at(1));
    if (!countText)
        return fatal(path);
    const auto count = wholeNumber(*countText);
    // Both languages need the same number of texts, and every counted
    // line must be there.
    if (!count || *count < 2 || *count > kMaxCount || *count % 2 != 0
        || *count > lines.size() - 2)
        return fatal(path);

    QStringList texts;
    texts.reserve(*count + 1);
    texts.append(QString());
    for (qint64 k = 1; k <= *count; ++k) {
        const auto v = lineValue(lines.at(k + 1));
        if (!v)
            return fatal(path);
        texts.append(*v);
    }

    TabellaLingua.TestiLingua = std::move(texts);
    TabellaLingua.NumTestiLingua = static_cast<qint32>(*count / 2);
    TabellaLingua.IndiceLingua = static_cast<qint32>(*index);
    return true;
}

void computeLanguageOffset()
{
    const qint64 offset = qint64(TabellaLingua.NumTestiLingua) * TabellaLingua.IndiceLingua;
    const qint64 last = offset + TabellaLingua.NumTestiLingua;
    if (offset < 0 || offset > 32767 || last >= TabellaLingua.TestiLingua.size())
        TabellaLingua.OffsetLingua = 0;
    else
        TabellaLingua.OffsetLingua = static_cast<qint16>(offset);
}

bool writeLanguageIndex(int index, QString* error)
{
    if (index != 0 && index != 1) {
        if (error)
            *error = QStringLiteral("language index %1 is not 0 or 1").arg(index);
        return false;
    }
    const QString path = programFile(kFileName);
    if (!QFileInfo(path).isFile()) {
        if (error)
            *error = QStringLiteral("%1 was not found").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray old = file.readAll();
    file.close();

    const qsizetype lf = old.indexOf('\n');
    QByteArray bytes = QByteArray::number(index) + "\r\n";
    if (lf >= 0)
        bytes += old.sliced(lf + 1);
    return writeFileAtomically(path, bytes, error);
}

} // namespace zuv
