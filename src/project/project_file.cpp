#include "project/project_file.h"

#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/state.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <optional>

namespace zuv {

std::array<QString, 201> ValoriProgetto;

namespace {

const QString kMagic = QStringLiteral("ZUVProject");

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

QString resolved(const QString& path)
{
    return hasFolderPart(path) ? path : programFile(path);
}

QString decodeLine(QByteArray bytes)
{
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    return fromCp1252(bytes);
}

// One line per field: line breaks become blanks, an empty text one blank,
// and a text with a quote at either end gets one more pair, which the
// reader takes off again.
QString stringValue(QString s)
{
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (s.isEmpty())
        return QStringLiteral(" ");
    if (s.startsWith(QLatin1Char('"')) || s.endsWith(QLatin1Char('"')))
        return QLatin1Char('"') + s + QLatin1Char('"');
    return s;
}

QStringList projectLines(const ProjectRecord& r)
{
    QStringList lines{kMagic};
    for (const FieldInfo& f : projectFields()) {
        QString value;
        if (f.index == kChkIngressoIndex) {
            value = QStringLiteral("0");
        } else {
            value = std::visit(
                Overloaded{
                    [&](QString ProjectRecord::*m) { return stringValue(r.*m); },
                    [&](qint16 ProjectRecord::*m) { return QString::number(r.*m); },
                    [&](qint32 ProjectRecord::*m) { return QString::number(r.*m); },
                    [&](bool ProjectRecord::*m) {
                        return (r.*m) ? QStringLiteral("1") : QStringLiteral("0");
                    },
                },
                f.member);
        }
        lines.append(QStringLiteral("ID_") + QLatin1String(f.name) + QLatin1Char('=') + value);
    }
    return lines;
}

std::optional<bool> booleanValue(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const auto v = parseDecimal(text);
    if (!v)
        return std::nullopt;
    return *v != 0;
}

// Converts `text` into field `f` of `r`; false when it does not convert.
bool convertInto(ProjectRecord& r, const FieldInfo& f, const QString& text)
{
    return std::visit(
        Overloaded{
            [&](QString ProjectRecord::*m) {
                r.*m = text;
                return true;
            },
            [&](qint16 ProjectRecord::*m) {
                const auto v = parseWhole(text, -32768, 32767);
                if (v)
                    r.*m = static_cast<qint16>(*v);
                return v.has_value();
            },
            [&](qint32 ProjectRecord::*m) {
                const auto v = parseWhole(text, -2147483648LL, 2147483647LL);
                if (v)
                    r.*m = static_cast<qint32>(*v);
                return v.has_value();
            },
            [&](bool ProjectRecord::*m) {
                const auto v = booleanValue(text);
                if (v)
                    r.*m = *v;
                return v.has_value();
            },
        },
        f.member);
}

void showMissing(const QString& path)
{
    msgBox(languageText(328) + QLatin1Char(' ') + path + QLatin1Char(' ') + languageText(329), MsgIcon::Critical,
           MsgButtons::Ok);
}

void showNotAProject() { msgBox(languageText(174), MsgIcon::Critical, MsgButtons::Ok); }

} // namespace

void NuovoProgetto()
{
    DatiProgetto = newProjectValues();
    MainSurface& s = mainSurface();
    s.setMenuEnabled(QStringLiteral("mnuConfigure"), true);
    s.setButtonEnabled(QStringLiteral("Setup"), true);
    s.setButtonEnabled(QStringLiteral("Sensor"), true);
    s.setButtonEnabled(QStringLiteral("Alarm"), true);
    s.setMenuEnabled(QStringLiteral("mnuNote"), true);
}

bool CaricaProgetto(const QString& path)
{
    const QString file = resolved(path);
    QFile f(file);
    if (!QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly)) {
        showMissing(file);
        return false;
    }
    if (f.atEnd()) {
        showNotAProject();
        return false;
    }
    // The magic is short: a file without line breaks is not read whole.
    if (decodeLine(f.readLine(kMagic.size() + 3)) != kMagic) {
        showNotAProject();
        return false;
    }

    ValoriProgetto.fill(QString());
    std::size_t k = 0;
    while (!f.atEnd()) {
        const QString line = decodeLine(f.readLine());
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (k >= ValoriProgetto.size())
            break;
        QString value = line.mid(eq + 1);
        if (value.startsWith(QLatin1Char('"')))
            value.remove(0, 1);
        const bool last = value.isEmpty();
        if (value.endsWith(QLatin1Char('"')))
            value.chop(1);
        ValoriProgetto[k++] = value;
        if (last)
            break;
    }
    f.close();

    ApplicaValoriProgetto();
    return true;
}

void ApplicaValoriProgetto()
{
    ProjectRecord r = newProjectValues();
    for (const FieldInfo& f : projectFields()) {
        if (f.index == kChkIngressoIndex)
            continue; // kept in memory only: always False after a load
        if (!convertInto(r, f, ValoriProgetto[static_cast<std::size_t>(f.index)]))
            break;
    }
    DatiProgetto = r;
}

bool SalvaProgetto()
{
    const QString file = PercorsoFileProgetto.isEmpty() ? QString() : resolved(PercorsoFileProgetto);
    QString error;
    if (file.isEmpty() || !writeTextLines(file, projectLines(DatiProgetto), &error)) {
        QString text = languageText(328) + QLatin1Char(' ') + file + QLatin1Char(' ') + languageText(329);
        if (!error.isEmpty())
            text += QLatin1Char('\n') + error;
        msgBox(text, MsgIcon::Critical, MsgButtons::Ok);
        return false;
    }
    MainSurface& s = mainSurface();
    s.setMenuEnabled(QStringLiteral("mnuSave"), true);
    s.setButtonEnabled(QStringLiteral("Save"), true);
    s.setPanelText(1, DatiProgetto.NomeProgetto.isEmpty() ? QStringLiteral("No Project Name")
                                                          : DatiProgetto.NomeProgetto);
    s.setPanelText(2, PercorsoFileProgetto);
    ProgettoModificato = false;
    return true;
}

} // namespace zuv
