#include "config/sensor_editor.h"

#include "link/commands.h"
#include "link/curve_codec.h"
#include "link/operation.h"
#include "link/live.h"
#include "link/serial_comm.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/sensor_library.h"
#include "project/state.h"
#include "project/time_text.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace zuv {
namespace {

// A read of the editor as an operation of its own; an instrument that
// does not answer is reported like a failed read.
bool editorRead(int comando, const std::function<bool()>& read)
{
    Operation operation(comando);
    const StepEnd end = runStep(read);
    if (end == StepEnd::NoInstrument)
        segnalaErroreComunicazione();
    return end == StepEnd::Done;
}

bool inRange16(double v) { return v >= -32768.0 && v <= 32767.0; }

// A plain decimal number: sign, digits, one point; blanks around it.
std::optional<double> numeroSemplice(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    const QString t = VirgolaInPunto(text);
    if (!re.match(t).hasMatch())
        return std::nullopt;
    return parseDecimal(t);
}

bool italiano() { return TabellaLingua.IndiceLingua == 0; }

} // namespace

// --- sensor types ------------------------------------------------------------

const std::array<TipoSensore, kNumTipi>& tipiSensore()
{
    static const std::array<TipoSensore, kNumTipi> tipi = {{
        {OpzioneTipo::TemperaturaOlio, QStringLiteral("TemperaturaOlio"), QStringLiteral("Y (°C)"),
         QStringLiteral("Bit"), 10, false},
        {OpzioneTipo::Pressione, QStringLiteral("Pressione"), QStringLiteral("Y (bar)"), QStringLiteral("Bit"),
         1000, false},
        {OpzioneTipo::TemperaturaAcqua, QStringLiteral("TemperaturaAcqua"), QStringLiteral("Y (°C)"),
         QStringLiteral("Bit"), 10, false},
        {OpzioneTipo::LivelloBenzina, QStringLiteral("LivelloBenzina"), QStringLiteral("Y"), QStringLiteral("Bit"),
         10, true},
        {OpzioneTipo::Altro, QStringLiteral("Altro"), QStringLiteral("Y ( )"), QStringLiteral("Bit"), 1, false},
        {OpzioneTipo::SensoreLambda, QStringLiteral("SensoreLambda"), QStringLiteral("A/F"), QStringLiteral("mV"),
         100, false},
        {OpzioneTipo::PressioneTurbo, QStringLiteral("PressioneTurbo"), QStringLiteral("Y (bar)"),
         QStringLiteral("mV"), 1000, false},
        {OpzioneTipo::SensoreG, QStringLiteral("SensoreG"), QStringLiteral("G"), QStringLiteral("mV"), 1000, false},
    }};
    return tipi;
}

const TipoSensore& tipoSensore(OpzioneTipo opzione) { return tipiSensore().at(static_cast<std::size_t>(opzione)); }

std::optional<OpzioneTipo> opzioneDaKeyword(const QString& keyword)
{
    for (const TipoSensore& t : tipiSensore())
        if (t.keyword == keyword)
            return t.opzione;
    return std::nullopt;
}

std::optional<OpzioneTipo> opzioneDaSlot(int slot)
{
    static constexpr std::array<OpzioneTipo, 9> bySlot = {
        OpzioneTipo::TemperaturaOlio, OpzioneTipo::Pressione,     OpzioneTipo::Pressione,
        OpzioneTipo::TemperaturaAcqua, OpzioneTipo::LivelloBenzina, OpzioneTipo::Altro,
        OpzioneTipo::SensoreLambda,   OpzioneTipo::PressioneTurbo, OpzioneTipo::SensoreG,
    };
    if (slot < 0 || slot >= static_cast<int>(bySlot.size()))
        return std::nullopt;
    return bySlot[static_cast<std::size_t>(slot)];
}

// --- box checks --------------------------------------------------------------

bool numeroValido(const QString& text)
{
    const auto v = numeroSemplice(text);
    return v && inRange16(roundHalfEven(*v));
}

bool valoreYValido(const QString& text, int scala)
{
    const auto v = numeroSemplice(text);
    return v && inRange16(roundHalfEven(*v)) && inRange16(roundHalfEven(*v * std::max(1, scala)));
}

QString normalizzaX(const QString& text) { return VirgolaInPunto(text.trimmed()); }

QString formattaY(const QString& text, int scala)
{
    QString t = VirgolaInPunto(text.trimmed());
    return FormattaDecimali(t, scala);
}

bool xDecrescente(const QString& xPrima, const QString& x) { return leadingNumber(xPrima) > leadingNumber(x); }

QString messaggioOrdineBit() { return QStringLiteral("Il valore di bit deve essere crescente"); }

// --- point table ---------------------------------------------------------------

TabellaPunti::TabellaPunti() { righe_[0].tickAbilitato = true; }

void TabellaPunti::setX(int i, const QString& text) { righe_.at(static_cast<std::size_t>(i)).x = text; }
void TabellaPunti::setY(int i, const QString& text) { righe_.at(static_cast<std::size_t>(i)).y = text; }
void TabellaPunti::abilitaRiga(int i) { righe_.at(static_cast<std::size_t>(i)).attiva = true; }
void TabellaPunti::abilitaTick(int i) { righe_.at(static_cast<std::size_t>(i)).tickAbilitato = true; }

bool TabellaPunti::setTick(int index, bool ticked)
{
    if (index < 0 || index >= kRighePunti)
        return false;
    RigaPunto& r = righe_[static_cast<std::size_t>(index)];
    if (r.ticked == ticked)
        return false;
    r.ticked = ticked;
    const int n = numPuntiAttivi_;
    auto set = [this](int from, int to, auto fn) {
        for (int i = std::max(0, from); i <= std::min(to, kRighePunti - 1); ++i)
            fn(righe_[static_cast<std::size_t>(i)]);
    };
    if (index < n - 1) {
        r.ticked = true; // rows inside the prefix stay
        return false;
    }
    if (ticked) {
        numPuntiAttivi_ = n + 1;
        set(0, index, [](RigaPunto& x) { x.attiva = true; });
        if (index < kRighePunti - 1)
            set(1, index + 1, [](RigaPunto& x) { x.tickAbilitato = true; });
        set(index + 2, kRighePunti - 1, [](RigaPunto& x) { x.attiva = x.tickAbilitato = false; });
    } else {
        numPuntiAttivi_ = n - 1;
        set(0, index - 1, [](RigaPunto& x) { x.attiva = true; });
        set(1, index, [](RigaPunto& x) { x.tickAbilitato = true; });
        set(index + 1, kRighePunti - 1, [](RigaPunto& x) { x.attiva = x.tickAbilitato = false; });
    }
    return true;
}

bool TabellaPunti::PulisciTabellaPunti()
{
    bool changed = false;
    for (int i = kRighePunti - 1; i >= 0; --i) {
        RigaPunto& r = righe_[static_cast<std::size_t>(i)];
        r.attiva = false;
        r.x.clear();
        r.y.clear();
        changed = setTick(i, false) || changed;
    }
    return changed;
}

bool TabellaPunti::nuovoSensore()
{
    numPuntiAttivi_ = 0;
    const bool changed = PulisciTabellaPunti();
    for (RigaPunto& r : righe_) {
        r.attiva = false;
        r.tickAbilitato = false;
        r.x.clear();
        r.y.clear();
    }
    righe_[0].tickAbilitato = true;
    numPuntiAttivi_ = 0;
    return changed;
}

QStringList TabellaPunti::testiX(int n) const
{
    QStringList out;
    for (int i = 0; i < std::clamp(n, 0, kRighePunti); ++i)
        out << righe_[static_cast<std::size_t>(i)].x;
    return out;
}

QStringList TabellaPunti::testiY(int n) const
{
    QStringList out;
    for (int i = 0; i < std::clamp(n, 0, kRighePunti); ++i)
        out << righe_[static_cast<std::size_t>(i)].y;
    return out;
}

QString testoValore(double v)
{
    if (v == 0 || !std::isfinite(v))
        return QStringLiteral("0");
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (res.ec != std::errc())
        return decimalText(v);
    return QString::fromLatin1(buf, res.ptr - buf);
}

const CSensore* caricaSensoreInTabella(const QString& nome, const QString& tipo, TabellaPunti& t)
{
    t.PulisciTabellaPunti();
    // Two sensors may share a name across types; the list shows this type's.
    const auto it = std::find_if(LibreriaSensori.begin(), LibreriaSensori.end(),
                                 [&](const CSensore& s) { return s.Nome() == nome && s.Tipo() == tipo; });
    if (it == LibreriaSensori.end())
        return nullptr;
    const CSensore& s = *it;
    const int n = std::clamp<int>(s.NumPunti(), 0, kRighePunti);
    const int scala = opzioneDaKeyword(s.Tipo()) ? tipoSensore(*opzioneDaKeyword(s.Tipo())).scala : 1;
    for (int i = 0; i < n; ++i) {
        t.abilitaRiga(i);
        t.setX(i, testoValore(s.X(i)));
        QString y = testoValore(s.Y(i));
        t.setY(i, FormattaDecimali(y, scala));
        t.setTick(i, true);
    }
    for (int i = kRighePunti - 1; i >= n; --i)
        t.setTick(i, false);
    return &s;
}

// --- saving --------------------------------------------------------------------

QString motivoNomeNonValido(const QString& nome)
{
    // Reserved on Windows, where sensor folders are shared too, so refused
    // everywhere; a folder part would write outside the sensors folder.
    static const QString riservati = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : nome) {
        const bool controllo = c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
        const bool fuoriCodifica = fromCp1252(toCp1252(QString(c))) != QString(c);
        if (riservati.contains(c) || controllo || fuoriCodifica) {
            const QString shown = controllo ? QStringLiteral("0x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                            : QString(c);
            return italiano() ? QStringLiteral("Il nome del sensore non può contenere il carattere \"%1\".").arg(shown)
                              : QStringLiteral("The sensor name cannot contain the character \"%1\".").arg(shown);
        }
    }
    // A leading point hides the file from the library; Windows drops a last one.
    if (nome.startsWith(QLatin1Char('.')) || nome.endsWith(QLatin1Char('.')))
        return italiano() ? QStringLiteral("Il nome del sensore non può iniziare o finire con un punto.")
                          : QStringLiteral("The sensor name cannot begin or end with a dot.");
#ifdef Q_OS_WIN
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (device.match(nome).hasMatch())
        return italiano() ? QStringLiteral("\"%1\" è un nome riservato del sistema.").arg(nome)
                          : QStringLiteral("\"%1\" is a name the system reserves.").arg(nome);
#endif
    return QString();
}

std::optional<CellaNonValida> controllaTabella(const TabellaPunti& t, int scala, bool ordineX)
{
    for (int i = 0; i < t.NumPuntiAttivi(); ++i) {
        const RigaPunto& r = t.riga(i);
        if (!numeroValido(r.x) || (ordineX && i >= 1 && xDecrescente(t.riga(i - 1).x, r.x)))
            return CellaNonValida{i, false};
        if (!valoreYValido(r.y, scala))
            return CellaNonValida{i, true};
    }
    return std::nullopt;
}

Salvataggio SalvaSensore(const QString& nomeDigitato, OpzioneTipo tipo, const TabellaPunti& t,
                         const QString& titolo)
{
    Salvataggio out;
    const QString nome = nomeDigitato.trimmed();
    if (nome.isEmpty()) {
        msgBox(Testo(179), MsgIcon::Critical, MsgButtons::Ok, titolo);
        out.esito = EsitoSalvataggio::NomeVuoto;
        return out;
    }
    if (const QString motivo = motivoNomeNonValido(nome); !motivo.isEmpty()) {
        msgBox(motivo, MsgIcon::Critical, MsgButtons::Ok, titolo);
        out.esito = EsitoSalvataggio::NomeNonValido;
        return out;
    }
    const TipoSensore& info = tipoSensore(tipo);
    if (const auto cella = controllaTabella(t, info.scala, tipo != OpzioneTipo::LivelloBenzina)) {
        const RigaPunto& r = t.riga(cella->riga);
        const bool ordine = !cella->colonnaY && numeroValido(r.x);
        msgBox(ordine ? messaggioOrdineBit() : Testo(262), MsgIcon::Exclamation, MsgButtons::Ok, titolo);
        out.esito = EsitoSalvataggio::CellaNonValida;
        out.cella = *cella;
        return out;
    }

    // The system's reason, when there is one, after the language text.
    auto erroreScrittura = [&out](const QString& percorso, const QString& motivo = QString()) {
        QString testo = Testo(328) + QLatin1Char(' ') + QDir::toNativeSeparators(percorso) + QLatin1Char(' ')
            + Testo(329);
        if (!motivo.isEmpty())
            testo += QLatin1Char('\n') + motivo;
        msgBox(testo, MsgIcon::Critical);
        out.esito = EsitoSalvataggio::ErroreScrittura;
        out.percorso = percorso;
        return out;
    };

    // The folder is made on the first save.
    const QString cartella = cartellaSensori();
    if (!QFileInfo(cartella).isDir() && !QDir().mkpath(cartella))
        return erroreScrittura(cartella, QString::fromLocal8Bit(std::strerror(errno)));

    // A file of that name in any case is the one replaced, under its own
    // spelling, as a system that ignores case would do.
    const QString fileName = nome + QStringLiteral(".sns");
    QString percorso = QDir(cartella).filePath(fileName);
    const QStringList presenti = QDir(cartella).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    const auto esistente = std::find_if(presenti.begin(), presenti.end(), [&](const QString& f) {
        return f.compare(fileName, Qt::CaseInsensitive) == 0;
    });
    if (esistente != presenti.end()) {
        percorso = QDir(cartella).filePath(*esistente);
        const MsgAnswer a = msgBox(Testo(175) + QDir::toNativeSeparators(percorso) + QLatin1Char(' ') + Testo(132),
                                   MsgIcon::None, MsgButtons::OkCancel, Testo(133));
        if (a != MsgAnswer::Ok) {
            out.esito = EsitoSalvataggio::Annullato;
            out.percorso = percorso;
            return out;
        }
    }

    const int n = t.NumPuntiAttivi();
    if (n == 0)
        return erroreScrittura(percorso);
    QString errore;
    if (!scriviFileSensore(percorso, info.keyword, nome, t.testiX(n), t.testiY(n), &errore))
        return erroreScrittura(percorso, errore);

    LibreriaSensori.clear();
    CaricaLibreriaSensori();
    out.esito = EsitoSalvataggio::Salvato;
    out.percorso = percorso;
    return out;
}

// --- the instrument ------------------------------------------------------------

bool LeggiCurvaInTabella(int slot, TabellaPunti& t)
{
    t.PulisciTabellaPunti();
    const auto opzione = opzioneDaSlot(slot);
    if (!opzione || operationRunning())
        return false;
    const int scala = tipoSensore(*opzione).scala;

    mainSurface().setPanelText(3, Testo(205));
    // A failed read keeps the buffer as it was: never divide it twice.
    const CurveBuffer prima = CurvaSensore;
    const bool ok = editorRead(comando::LeggiCurvaSensore, [slot] { return LeggiCurvaSensore(slot); });
    if (!ok) {
        CurvaSensore = prima;
    } else {
        for (int i = 0; i < kRighePunti; ++i) {
            CurvaSensore.CurvaY[static_cast<std::size_t>(i)] /= scala;
            t.setX(i, testoValore(CurvaSensore.CurvaX[static_cast<std::size_t>(i)]));
            t.setY(i, formattaY(testoValore(CurvaSensore.CurvaY[static_cast<std::size_t>(i)]), scala));
        }
        for (int i = 0; i < kRighePunti; ++i) {
            t.abilitaRiga(i);
            t.abilitaTick(i);
            t.setTick(i, true);
        }
    }
    mainSurface().setPanelText(3, QString());
    return ok;
}

std::optional<double> leggiLivelloBenzina()
{
    if (operationRunning() || !editorRead(comando::LeggiCalibrazione, LeggiCalibrazione))
        return std::nullopt;
    return ValoriAnalogici[4];
}

// --- fuel-level calibration -------------------------------------------------

Calibrazione::Esito Calibrazione::passo(QString& litri, TabellaPunti& t, const Lettura& leggi)
{
    const int s = intFaseCalibrazione;
    if (s >= 19)
        return Esito::Completa;
    // The litres become a Y of the curve: a number the instrument can hold.
    const QString testoLitri = litri.trimmed().isEmpty() ? QStringLiteral("0.0") : formattaY(litri, 10);
    if (!valoreYValido(testoLitri, 10))
        return Esito::LitriNonValidi;

    const std::optional<double> lettura = leggi ? leggi() : std::nullopt;
    if (!lettura)
        return Esito::LetturaFallita;

    intUscita = 1;
    XValue = static_cast<qint16>(std::clamp(roundHalfEven(*lettura), -32768.0, 32767.0));
    litri = testoLitri;
    const QString x = QString::number(XValue);
    t.setX(s, x);
    t.setY(s, litri);
    t.setTick(s, true);
    LettureCalibrazione[static_cast<std::size_t>(s)] = x;
    LitriCalibrazione[static_cast<std::size_t>(s)] = litri;
    intFaseCalibrazione = static_cast<qint16>(s + 1);
    return Esito::Registrato;
}

void Calibrazione::fine(TabellaPunti& t)
{
    intUscita = 2;
    const int s = intFaseCalibrazione;
    if (s < 1)
        return;
    if (leadingNumber(t.riga(0).x) > leadingNumber(t.riga(s - 1).x)) {
        for (int i = 0; i < s; ++i) {
            t.setX(i, LettureCalibrazione[static_cast<std::size_t>(s - 1 - i)]);
            t.setY(i, LitriCalibrazione[static_cast<std::size_t>(s - 1 - i)]);
        }
    }
    for (int i = s; i < kRighePunti; ++i) {
        t.setX(i, QStringLiteral("1024"));
        t.setY(i, t.riga(i - 1).y);
        t.setTick(i, true);
    }
}

} // namespace zuv
