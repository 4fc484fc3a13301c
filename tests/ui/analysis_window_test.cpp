// The analysis windows offscreen, through their real widgets: opening the
// example session, its session file, the companion files, what a load
// says of damaged input, the status bar and the language; through the main
// window's command too.

#include "support/ui/analysis_window_fixture.h"

namespace zuv::test {

// Both kinds of window, for every test of the two suites in any file.
INSTANTIATE_TEST_SUITE_P(Kinds, BothWindows, ::testing::Values(AnalysisKind::Dati, AnalysisKind::DatiSpeed),
                         [](const auto& info) {
                             return std::string(info.param == AnalysisKind::Dati ? "Chart" : "Fast");
                         });

INSTANTIATE_TEST_SUITE_P(Kinds, BothCommands, ::testing::Values(AnalysisKind::Dati, AnalysisKind::DatiSpeed),
                         [](const auto& info) {
                             return std::string(info.param == AnalysisKind::Dati ? "Chart" : "Fast");
                         });

TEST_P(BothWindows, ExampleOpensOnItsFirstStretchWithTheLapTableFilled)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(msgs.shown.empty()) << msgs.shown[0].text.toStdString();
    EXPECT_EQ(w.kind(), GetParam());
    EXPECT_EQ(currentAnalysis(), GetParam() == chosenAnalysisKind() ? &w : nullptr);
    EXPECT_TRUE(AnalisiCaricata);
    EXPECT_FALSE(surface.busy);
    EXPECT_EQ(surface.panelText[2], QDir::toNativeSeparators(example));
    EXPECT_EQ(w.session().FieldsNum, 16);

    // Measure rows 3..16 shown, 17..20 hidden; names from the language.
    for (int i = 3; i <= 20; ++i) {
        EXPECT_EQ(w.chkGrafico[i]->isVisibleTo(&w), i <= 16) << i;
        EXPECT_EQ(w.cmdSetGraph[i]->isVisibleTo(&w), i <= 16) << i;
    }
    EXPECT_EQ(w.lblNomeCampo[1]->text(), languageText(306));
    EXPECT_EQ(w.lblNomeCampo[4]->text(), languageText(309));
    EXPECT_EQ(w.lblUM[4]->text(), "[Km/h]");
    EXPECT_EQ(w.lblNomeCampo[16]->text(), languageText(320));
    // The session file's colours and the circuit's three sectors.
    EXPECT_EQ(w.shpColor[4]->colour(), 255u);
    EXPECT_EQ(DatiSessione.Circuito, "Pista Collina");

    // Seven laps between "Start" and "End", lap and sector times.
    GridComponent& g = *w.MSFlexGrid1;
    EXPECT_TRUE(g.isVisibleTo(&w));
    EXPECT_EQ(w.session().intGiriCompletati, 7);
    EXPECT_EQ(g.rowCount(), 10);
    EXPECT_EQ(g.text(1, 0), "Start");
    EXPECT_EQ(g.text(9, 0), "End");
    EXPECT_EQ(g.text(2, 0), languageText(193) + "1");
    EXPECT_EQ(g.text(0, 1), languageText(143));
    EXPECT_EQ(g.text(0, 4), languageText(144) + "3");
    EXPECT_EQ(g.text(2, 1), "01:15.64");
    EXPECT_EQ(w.session().SettoriGiro, 4);
    for (int r = 2; r <= 8; ++r)
        for (int c = 2; c <= 4; ++c)
            EXPECT_FALSE(g.text(r, c).isEmpty()) << r << "," << c;
    // Fastest lap 5 green, slowest lap 1 red, in the lap-time column.
    EXPECT_EQ(w.session().intGiroVeloce, 5);
    EXPECT_EQ(w.session().intGiroLento, 1);
    EXPECT_EQ(g.cellBackground(6, 1), colorFromValue(65280));
    EXPECT_EQ(g.cellBackground(2, 1), colorFromValue(255));

    // The out-lap is on show: its whole time on both charts' axis.
    EXPECT_EQ(w.session().GiroCorrente, 1);
    EXPECT_EQ(w.SSTab1->tabText(0), languageText(273) + " " + languageText(110) + " 0");
    const ChartComponent::Range r = w.NTGraph1->range();
    EXPECT_DOUBLE_EQ(r.xFrom, 0.0);
    EXPECT_NEAR(r.xTo, GetParam() == AnalysisKind::Dati ? 90.9 : 90.8, 1e-9);
    // No measure is checked yet: nothing drawn, every row plain.
    EXPECT_EQ(w.NTGraph1->elementCount(), 0);
    EXPECT_FALSE(w.optScala[4]->isEnabled());
    EXPECT_FALSE(w.cmdSetGraph[4]->isEnabled());
}

TEST_P(BothWindows, SessionFileComesBackInAFreshWindowAndIsWrittenWhole)
{
    // Saved on a machine that writes decimals with a comma, read back on one
    // that writes them with a point.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    {
        frmAnalisiDati& w = open(example, GetParam());
        ASSERT_TRUE(loaded);
        check(5);
        w.session().FiltroMisura[5] = 3;
        w.session().FiltroMisura[16] = 2;
        w.setMeasureColour(5, 0x00FF00);
        DatiSessione.Piloti = QStringLiteral("Anna\r\nBruno");
        w.ChiudiGrafico();
        EXPECT_FALSE(AnalisiCaricata);
        EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
        EXPECT_EQ(currentAnalysis(), nullptr);
    }
    QLocale::setDefault(QLocale::c());
    const QByteArray saved = fileBytes(path(QStringLiteral("session/%1.ses").arg(kExample)));
    EXPECT_EQ(saved.count("\r\n"), 26);
    EXPECT_TRUE(saved.contains("Piloti=Anna, Bruno\r\n"));
    // Minimum and maximum with the comma, as the machine writes decimals.
    const QList<QByteArray> lines = saved.split('\n');
    int commas = 0;
    for (int i = 8; i < 26; ++i) {
        const QList<QByteArray> fields = lines[i].trimmed().split(';');
        ASSERT_EQ(fields.size(), 6) << lines[i].toStdString();
        for (int k : {4, 5}) {
            EXPECT_FALSE(fields[k].contains('.')) << lines[i].toStdString();
            commas += int(fields[k].contains(','));
        }
    }
    EXPECT_GT(commas, 0);

    DatiSessione = SessionRecord();
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    // Nothing of the closed window: no box checked, overlaid, first stretch.
    EXPECT_EQ(w.session().NumGraficiAttivi, 0);
    EXPECT_FALSE(w.chkGrafico[5]->isChecked());
    EXPECT_FALSE(w.session().blnSeparati);
    EXPECT_EQ(w.session().GiroCorrente, 1);
    // What the session file keeps is back, to its last row.
    EXPECT_EQ(w.session().sessionLoad(), SessionLoad::Complete);
    EXPECT_EQ(w.session().FiltroMisura[5], 3);
    EXPECT_EQ(w.session().FiltroMisura[16], 2);
    EXPECT_EQ(w.shpColor[5]->colour(), 0x00FF00u);
    EXPECT_EQ(DatiSessione.Piloti, "Anna, Bruno");
    EXPECT_EQ(DatiSessione.Circuito, "Pista Collina");
}

// The lap-time file is named after the data file without its last four
// characters, the session file after it without its last three, whatever the
// data file's extension; the alarms file the same way in the chart window,
// and after the data file's name without its last "." and what follows in the
// fast one.
TEST_P(BothWindows, CompanionNamesFollowEachWindowsRule)
{
    const bool chart = GetParam() == AnalysisKind::Dati;
    const SessionFiles f = makeSession(16, 2, 20);
    struct Case {
        const char* data;
        const char* chartAlarms;
        const char* fastAlarms;
        const char* laps;
        const char* session;
        bool almOnly; // the ".txt" is reported missing before the ".alm" is taken
    } cases[] = {
        {"a.csvx", "a..txt", "a.txt", "a..tim", "a.cses", false},
        {"b.csvx", "b..alm", "b.alm", "b..tim", "b.cses", true},
        {"run.cs", "ru.txt", "run.txt", "ru.tim", "runses", false},
        {"run.csv", "run.txt", "run.txt", "run.tim", "run.ses", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        msgs.clear();
        const QString folder = QStringLiteral("names-%1/").arg(QLatin1String(c.data));
        const QString file = writeFile(folder + c.data, f.data);
        const QString alarms = QLatin1String(chart ? c.chartAlarms : c.fastAlarms);
        writeFile(folder + alarms, f.alarms);
        writeFile(folder + c.laps, f.laps);
        frmAnalisiDati& w = open(file, GetParam());
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(w.session().FileAllarmiPresente());
        EXPECT_EQ(w.session().intGiriCompletati, 2) << "the laps of " << c.laps;
        EXPECT_EQ(w.MSFlexGrid1->rowCount(), 5);
        ASSERT_TRUE(w.session().sources().alarmAt);
        EXPECT_NE(w.session().sources().alarmAt(3, 5), std::nullopt) << "the alarms of " << alarms.toStdString();
        EXPECT_EQ(w.session().SessionFileName, path(folder + c.session));
        if (c.almOnly) {
            const QString txt = alarms.chopped(3) + QStringLiteral("txt");
            ASSERT_EQ(msgs.shown.size(), 1u);
            EXPECT_EQ(msgs.shown[0].text, missingFileText(chart ? path(folder + txt) : txt));
        } else {
            EXPECT_TRUE(msgs.shown.empty()) << msgs.shown[0].text.toStdString();
        }
        if (!chart) {
            EXPECT_TRUE(fileBytes(path(folder + "schema.ini")).contains("\r\n[" + alarms.toLatin1() + "]\r\n"));
        }
        window.reset();
        EXPECT_EQ(QDir(path(folder)).entryList(QDir::Files).filter(QRegularExpression("ses$")),
                  QStringList{c.session});
    }
}

// A session file that cannot be read, or whose measure line 6 holds a field
// that is no number: the window opens without a word, with what was read
// before the fault (the fields of that line before it included) and the
// set-up's own settings after it; the file is left as it was.
TEST_P(BothWindows, SessionFileThatCannotBeReadWhollyOpensWithoutAWordAndIsKept)
{
    const SessionFiles f = makeSession(16, 2, 20);
    struct Row {
        int filter;
        quint32 colour;
        int width;
    };
    // The set-up's own settings, from a session without a session file.
    std::array<Row, kMaxMeasure + 1> setUp{};
    {
        const AnalysisSession& s = open(writeSession("plain/", f), GetParam()).session();
        ASSERT_TRUE(loaded);
        for (int i = kFirstMeasure; i <= kMaxMeasure; ++i)
            setUp[std::size_t(i)] = {s.FiltroMisura[i], s.colours[i], s.SpessoreMisura[i]};
        window.reset();
    }
    const QByteArray keys = "Sessione=Prova 2\r\nDataSessione=1/6/2024\r\nOraSessione=10:00\r\nCircuito= \r\n"
                            "LunghTracciato=1500\r\nVeicoloSessione=Kart\r\nPiloti=Anna\r\nNoteSessione=Pioggia\r\n";
    // Rows 3 to 5 as written; row 6 as the case has it; row 7 on would be
    // filter 9, colour 99, width 4.
    const auto file = [&](const QByteArray& row6) {
        QByteArray out = keys;
        for (int i = kFirstMeasure; i <= kMaxMeasure; ++i) {
            const QByteArray n = QByteArray::number(i);
            if (i < 6)
                out += "M" + n + ";" + n + ";" + n + "00;2;0;100\r\n";
            else if (i == 6)
                out += row6 + "\r\n";
            else
                out += "M" + n + ";9;99;4;0;100\r\n";
        }
        return out;
    };
    struct Case {
        const char* name;
        QByteArray row6; // empty: the file cannot be read at all
        SessionLoad load;
        Row six; // what row 6 shows; its field as the set-up left it where < 0
    } cases[] = {
        {"filter", "M6;x;600;3;0;100", SessionLoad::Partial, {-1, 0, -1}},
        {"colour", "M6;6;six;3;0;100", SessionLoad::Partial, {6, 0, -1}},
        {"width", "M6;6;600;3.5e;0;100", SessionLoad::Partial, {6, 600, -1}},
        {"maximum", "M6;6;600;3;0;cento", SessionLoad::Partial, {6, 600, 3}},
        {"too few fields", "M6;6;600;3", SessionLoad::Partial, {-1, 0, -1}},
        // Last: a system without such a file skips it.
        {"unreadable", {}, SessionLoad::Unreadable, {-1, 0, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.clear();
        DatiSessione.Sessione = QStringLiteral("the session before");
        const QString folder = QStringLiteral("bad-ses-%1/").arg(QLatin1String(c.name));
        const QString data = writeSession(folder, f);
        const QString ses = path(folder + "s.ses");
        if (c.row6.isEmpty()) {
            if (!makeUnreadable(ses))
                GTEST_SKIP() << "this system has no file that cannot be read";
        } else {
            writeFile(folder + "s.ses", file(c.row6));
        }
        const QByteArray before = fileBytes(ses);
        frmAnalisiDati& w = open(data, GetParam());
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(msgs.shown.empty()) << msgs.shown[0].text.toStdString();
        const AnalysisSession& s = w.session();
        EXPECT_EQ(s.sessionLoad(), c.load);
        const bool read = c.load == SessionLoad::Partial;
        EXPECT_EQ(DatiSessione.Sessione, read ? "Prova 2" : "");
        EXPECT_EQ(DatiSessione.NoteSessione, read ? "Pioggia" : "");
        EXPECT_EQ(w.session().intGiriCompletati, 2) << "the window opens normally";
        for (int i = kFirstMeasure; i <= kMaxMeasure; ++i) {
            SCOPED_TRACE(i);
            const Row& own = setUp[std::size_t(i)];
            Row want = own;
            if (read && i < 6)
                want = {i, quint32(i * 100), 2};
            if (i == 6)
                want = {c.six.filter < 0 ? own.filter : c.six.filter, c.six.colour == 0 ? own.colour : c.six.colour,
                        c.six.width < 0 ? own.width : c.six.width};
            EXPECT_EQ(s.FiltroMisura[i], want.filter);
            EXPECT_EQ(w.shpColor[i]->colour(), want.colour);
            EXPECT_EQ(s.SpessoreMisura[i], want.width);
        }
        window.reset();
        EXPECT_TRUE(msgs.shown.empty());
        EXPECT_EQ(fileBytes(ses), before) << "what could not be read is not overwritten";
        EXPECT_EQ(QFileInfo(ses).isSymLink(), c.row6.isEmpty());
    }
}

// An alarms file that is there but cannot be read: the window says so, with
// the system's reason, and opens with what the data file holds. (Without
// lap numbers the chart window's laps have no samples; the fast window's
// zero-filled table puts every row in "Start".)
TEST_P(BothWindows, AlarmsFileThatCannotBeReadIsSaidAndTheWindowOpensWithTheData)
{
    const SessionFiles f = makeSession(16, 2, 20);
    const QString data = writeSession("noalarms/", f);
    const QString alarms = path("noalarms/s.txt");
    if (!makeUnreadable(alarms))
        GTEST_SKIP() << "this system has no file that cannot be read";
    frmAnalisiDati& w = open(data, GetParam());
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(w.session().FileAllarmiPresente());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
    const QString head = QDir::toNativeSeparators(alarms) + ": ";
    EXPECT_TRUE(msgs.shown[0].text.startsWith(head)) << msgs.shown[0].text.toStdString();
    EXPECT_GT(msgs.shown[0].text.size(), head.size()) << "the system's reason";
    EXPECT_EQ(w.session().FieldsNum, 16);
    const qint64 firstRow = GetParam() == AnalysisKind::Dati ? 2 : 0;
    EXPECT_EQ(w.session().sources().valueAt(3, firstRow + 1), 31);
    EXPECT_EQ(w.session().intGiriCompletati, 2);
    window.reset();
    EXPECT_TRUE(QFileInfo::exists(path("noalarms/s.ses"))) << "the companion was there: the close writes";
}

// What a load leaves out of the data file, as the user reads it in both
// languages: a header too long, a row with a field too many, the columns
// past the twentieth (the chart window keeps 20; the fast one reads only
// the lap-time file's 16).
TEST_P(BothWindows, WhatTheLoadLeavesOutIsSaidInBothLanguages)
{
    SessionFiles f = makeSession(25, 1, 20);
    QList<QByteArray> lines = f.data.split('\n');
    lines[0].replace("M25 [u25]", "M25 [" + QByteArray(70000, 'u') + "]");
    lines[5].replace("\r", ";7\r");
    // Its bytes up to the line feed.
    const QString headerBytes = QString::number(lines[0].size());
    f.data = lines.join('\n');
    const bool chart = GetParam() == AnalysisKind::Dati;
    for (const int language : {0, 1}) {
        SCOPED_TRACE(language);
        loadShippedLanguages(language);
        msgs.clear();
        const QString data = writeSession(QStringLiteral("left-out%1/").arg(language), f);
        frmAnalisiDati& w = open(data, GetParam());
        ASSERT_TRUE(loaded);
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
        const QString where = QDir::toNativeSeparators(data) + ": ";
        QStringList want = {where + (language == 0 ? QStringLiteral("riga 1: %1 byte sono troppi per un'intestazione; "
                                                                     "si leggono solo i primi 65536")
                                                   : QStringLiteral("line 1: %1 bytes are too long for a header; only "
                                                                     "the first 65536 are read"))
                                        .arg(headerBytes)};
        if (chart)
            want << where + (language == 0 ? "25 colonne; si leggono solo le prime 20"
                                           : "25 columns; only the first 20 are read");
        want << where + (language == 0 ? "riga 6: 26 campi dove l'intestazione ne ha 25"
                                       : "line 6: 26 fields where the header has 25");
        EXPECT_EQ(msgs.shown[0].text.split('\n'), want);
        EXPECT_EQ(w.session().FieldsNum, chart ? 20 : 16);
        window.reset();
    }
}

// The main window's status bar while a window loads: each step's texts,
// and past the thousandth row of a table the share read so far.
TEST_P(BothWindows, StatusBarTellsEachStepOfTheLoadInBothLanguages)
{
    const bool chart = GetParam() == AnalysisKind::Dati;
    struct Case {
        int laps, lapRows; // (laps + 2) x lapRows data rows
    } cases[] = {{3, 200}, {5, 143}};
    for (const int language : {0, 1}) {
        loadShippedLanguages(language);
        for (const Case& c : cases) {
            const int rows = (c.laps + 2) * c.lapRows;
            SCOPED_TRACE(std::to_string(rows) + " rows, language " + std::to_string(language));
            const SessionFiles f = makeSession(16, c.laps, c.lapRows);
            const QString folder = QStringLiteral("status%1/").arg(rows);
            const QString file = writeFile(folder + "s.csv", f.data);
            writeFile(folder + "s.txt", f.alarms);
            writeFile(folder + "s.tim", f.laps);
            window.reset();
            surface.panelTexts.clear();
            open(file, GetParam());
            ASSERT_TRUE(loaded);
            EXPECT_FALSE(surface.busy);

            const QString done = languageText(141) + " 100 %";
            Panels want = {{2, languageText(140)}, {3, languageText(141)}};
            if (chart || rows > 1000)
                want.emplace_back(3, done);
            if (chart)
                want.insert(want.end(), {{2, QString()}, {3, languageText(142)}});
            want.insert(want.end(), {{2, languageText(301)}, {3, languageText(141)}});
            if (chart || rows > 1000)
                want.emplace_back(3, done);
            want.insert(want.end(), {{1, QString()}, {3, QString()}, {2, QDir::toNativeSeparators(file)}});
            EXPECT_EQ(chart ? loadSteps(surface.panelTexts) : surface.panelTexts, want);
        }
    }
}

// A companion longer than the data: the fast window counts its rows against
// the data's, the chart window each file against its own.
TEST_P(BothWindows, ProgressOfACompanionLongerThanTheData)
{
    const bool chart = GetParam() == AnalysisKind::Dati;
    SessionFiles f = makeSession(16, 3, 240); // 1200 rows
    f.data = f.data.split('\n').mid(0, 1002).join('\n') + '\n'; // the header and 1001 rows
    const QString file = writeSession(QStringLiteral("longer/"), f);
    surface.panelTexts.clear();
    open(file, GetParam());
    ASSERT_TRUE(loaded);

    const Panels& texts = surface.panelTexts;
    const auto alarmsStep = std::find(texts.begin(), texts.end(), std::make_pair(2, languageText(301)));
    ASSERT_NE(alarmsStep, texts.end());
    const auto done = std::make_pair(3, languageText(141) + " 100 %");
    EXPECT_EQ(std::count(texts.begin(), alarmsStep, done), 1) << "1001 data rows: 100 once";
    const Panels alarms = loadSteps(Panels(alarmsStep, texts.end()));
    ASSERT_GE(alarms.size(), 3u);
    EXPECT_EQ(alarms[2], std::make_pair(3, languageText(141) + (chart ? " 100 %" : " 120 %")));
}

TEST_F(AnalysisTest, SixteenAndFifteenColumnsShowTheirRows)
{
    for (int columns : {16, 15, 12}) {
        const SessionFiles f = makeSession(columns, 2, 20);
        const QString file = writeFile(QStringLiteral("cols%1/s.csv").arg(columns), f.data);
        writeFile(QStringLiteral("cols%1/s.txt").arg(columns), f.alarms);
        writeFile(QStringLiteral("cols%1/s.tim").arg(columns), f.laps);
        frmAnalisiDati& w = open(file);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(w.session().FieldsNum, columns);
        for (int i = 3; i <= 20; ++i) {
            EXPECT_EQ(w.chkGrafico[i]->isVisibleTo(&w), i <= columns) << columns << ": " << i;
            EXPECT_EQ(w.lblUM[i]->isVisibleTo(&w), i <= columns) << columns << ": " << i;
        }
        EXPECT_EQ(w.lblUM[columns]->text(), QStringLiteral("[u%1]").arg(columns));
    }
}

// Measures 17 to 20 have no language text of their own: they keep the words
// of their headers, at the load and at every activation.
TEST_F(AnalysisTest, MeasuresSeventeenToTwentyAreNamedFromTheirHeaders)
{
    frmAnalisiDati& w = open(writeSession("cols20/", makeSession(20, 2, 20)));
    ASSERT_TRUE(loaded);
    show();
    TabellaLingua.IndiceLingua = 0;
    computeLanguageOffset();
    w.RefreshLanguage();
    for (int i = 17; i <= 20; ++i) {
        EXPECT_EQ(w.lblNomeCampo[i]->text(), QStringLiteral("M%1").arg(i));
        EXPECT_EQ(w.lblUM[i]->text(), QStringLiteral("[u%1]").arg(i));
    }
    EXPECT_EQ(w.lblNomeCampo[16]->text(), languageText(320));
}

TEST_F(AnalysisTest, CompanionFileTxtThenAlmThenNeither)
{
    const SessionFiles f = makeSession(16, 2, 20);
    struct Case {
        const char* name;
        const char* companion; // nullptr: none
        int messages;
        bool opens;
    } cases[] = {{"txt", ".txt", 0, true}, {"alm", ".alm", 1, true}, {"none", nullptr, 2, false}};
    for (const Case& c : cases) {
        msgs.clear();
        const QString folder = QStringLiteral("companion-%1/").arg(QLatin1String(c.name));
        const QString file = writeFile(folder + "s.csv", f.data);
        writeFile(folder + "s.tim", f.laps);
        if (c.companion)
            writeFile(folder + "s" + c.companion, f.alarms);
        frmAnalisiDati& w = open(file);
        EXPECT_EQ(loaded, c.opens) << c.name;
        EXPECT_EQ(w.session().FileAllarmiPresente(), c.opens) << c.name;
        ASSERT_EQ(int(msgs.shown.size()), c.messages) << c.name;
        for (const ShownMessage& m : msgs.shown) {
            EXPECT_EQ(m.icon, MsgIcon::Critical);
            EXPECT_TRUE(m.text.startsWith(languageText(328) + " "));
            EXPECT_TRUE(m.text.endsWith(" " + languageText(329)));
        }
        if (c.messages >= 1) {
            EXPECT_TRUE(msgs.shown[0].text.contains(QDir::toNativeSeparators(path(folder + "s.txt"))));
        }
        if (c.messages == 2) {
            EXPECT_TRUE(msgs.shown[1].text.contains(QDir::toNativeSeparators(path(folder + "s.alm"))));
        }
        if (c.opens) {
            EXPECT_EQ(w.NTGraphAll->columnCount(), 11) << c.name;
        }
        window.reset();
        // Only a window that found its companion writes a session file; one
        // that did not closed itself by its exit, which clears the loaded flag.
        EXPECT_EQ(QFileInfo::exists(path(folder + "s.ses")), c.opens) << c.name;
        EXPECT_FALSE(surface.busy);
        EXPECT_EQ(AnalisiCaricata, c.opens) << c.name;
    }
}

TEST_F(AnalysisTest, DamagedSessionFileIsKeptAndAMissingCircuitIsSaid)
{
    const QString ses = path(QStringLiteral("session/%1.ses").arg(kExample));
    QFile f(ses);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Other program]\r\nDate=\r\nTime=\r\nCircuito=../Pista Collina\r\n");
    f.close();
    const QByteArray before = fileBytes(ses);
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(w.session().sessionLoad(), SessionLoad::Partial);
    EXPECT_EQ(w.session().SettoriGiro, 1) << "a circuit name that leaves tracks/ names no sector file";
    w.Toolbar1_ButtonClick(QStringLiteral("Circuito"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, languageText(216));
    EXPECT_EQ(msgs.shown[0].owner, &w);
    EXPECT_FALSE(w.session().blnCircuitoVisibile());
    window.reset();
    EXPECT_EQ(fileBytes(ses), before) << "what could not be read is not overwritten";

    // Settings the user stores are saved all the same.
    frmAnalisiDati& again = open(example);
    ASSERT_TRUE(loaded);
    show();
    check(7);
    {
        ModalDriver user;
        user.on("zuv::dlgSetGraph", [](QWidget& d) {
            auto& g = static_cast<dlgSetGraph&>(d);
            g.txtFiltro->setText(QStringLiteral("4"));
            QTest::mouseClick(g.OKButton, Qt::LeftButton);
        });
        QTest::mouseClick(again.cmdSetGraph[7], Qt::LeftButton);
        EXPECT_TRUE(user.waitDone());
    }
    window.reset();
    const QByteArray saved = fileBytes(ses);
    EXPECT_EQ(saved.count("\r\n"), 26);
    EXPECT_TRUE(saved.contains(";4;")) << saved.toStdString();
}

TEST_F(AnalysisTest, LanguageRefreshNamesEveryMeasureFromItsTextAndShowsThePlainTabTitles)
{
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    clickCell(kLap4Row, 1);
    EXPECT_EQ(w.SSTab1->tabText(0), languageText(273) + " " + languageText(110) + " 4");
    w.setMeasureName(5, QStringLiteral("Pressione mia"));
    EXPECT_EQ(w.toolButton("Separati")->toolTip(), languageText(39));

    TabellaLingua.IndiceLingua = 0;
    computeLanguageOffset();
    refreshAnalysisLanguage(); // no window open through the command: nothing
    w.RefreshLanguage();
    EXPECT_EQ(w.toolButton("Separati")->toolTip(), languageText(39));
    EXPECT_EQ(w.lblNomeCampo[4]->text(), languageText(309));
    EXPECT_EQ(w.lblNomeCampo[16]->text(), languageText(320));
    EXPECT_EQ(w.lblNomeCampo[5]->text(), languageText(310)) << "a renamed measure gives way to its text";
    EXPECT_EQ(w.GetNomeMisura(5), languageText(310) + " " + w.lblUM[5]->text());
    EXPECT_EQ(w.lblNomeAllarme[0]->text(), languageText(274));
    EXPECT_EQ(w.fraLegendaAllarmi->title(), languageText(282));
    EXPECT_EQ(w.SSTab1->tabText(0), languageText(273));
    EXPECT_EQ(w.SSTab1->tabText(1), languageText(91));
    EXPECT_EQ(w.session().GiroCorrente, kLap4Row) << "the lap on show stays";
    EXPECT_EQ(w.MSFlexGrid1->text(0, 1), languageText(143));
    EXPECT_EQ(w.MSFlexGrid1->text(2, 0), languageText(193) + "1");
    EXPECT_NE(languageText(143), QString());
    // The next lap selection adds its lap again.
    clickCell(kLap4Row + 1, 1);
    EXPECT_EQ(w.SSTab1->tabText(1), languageText(91) + " " + languageText(110) + " 5");
}

TEST_F(AnalysisCommandTest, EachOpeningIsAFreshWindowAndEveryCloseGivesThePollBack)
{
    ASSERT_EQ(fileDialogs.asked.size(), 0u);
    frmAnalisiDati* first = nullptr;
    command(example, [&](frmAnalisiDati& w) {
        first = &w;
        EXPECT_TRUE(AnalisiCaricata);
        QTest::mouseClick(w.chkGrafico[3], Qt::LeftButton);
        // The language command reaches the open window.
        TabellaLingua.IndiceLingua = 0;
        computeLanguageOffset();
        refreshAnalysisLanguage();
        EXPECT_EQ(w.lblNomeCampo[3]->text(), languageText(308));
        w.close();
    });
    ASSERT_EQ(fileDialogs.asked.size(), 1u);
    EXPECT_EQ(fileDialogs.asked[0].filter, "Analysis File (*.csv)");

    UsaAnalisiSpeed = true;
    command(example, [&](frmAnalisiDati& w) {
        EXPECT_EQ(w.kind(), AnalysisKind::DatiSpeed);
        EXPECT_EQ(w.session().NumGraficiAttivi, 0);
        EXPECT_FALSE(w.chkGrafico[3]->isChecked());
        EXPECT_TRUE(QFileInfo::exists(path("session/schema.ini")));
        w.Toolbar1_ButtonClick(QStringLiteral("ChiudiGrafico"));
    });
    UsaAnalisiSpeed = false;
    command(example, [&](frmAnalisiDati& w) {
        EXPECT_FALSE(w.chkGrafico[3]->isChecked());
        w.close();
    });
}

TEST_F(AnalysisCommandTest, NoCompanionSaysSoTwiceWithTheRealBoxesAndOpensNothing)
{
    QtMessages real;
    setMessages(&real);
    const SessionFiles f = makeSession(16, 1, 20);
    const QString file = writeFile("alone/s.csv", f.data);
    ModalDriver user;
    user.click(QMessageBox::Ok).click(QMessageBox::Ok);
    fileDialogs.answers = {file};
    runAnalysisCommand();
    EXPECT_TRUE(user.waitDone());
    setMessages(&msgs);
    ASSERT_EQ(user.boxes.size(), 2u);
    EXPECT_EQ(user.boxes[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(user.boxes[0].text.contains("s.txt"));
    EXPECT_TRUE(user.boxes[1].text.contains("s.alm"));
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
    EXPECT_FALSE(surface.busy);
    EXPECT_FALSE(QFileInfo::exists(path("alone/s.ses")));
}

// Input the export never writes: each opens with what could be read (or
// says why not), never a crash or a hang, and the poll always comes back.
TEST_F(AnalysisCommandTest, DamagedInputOpensWithWhatCouldBeRead)
{
    const SessionFiles good = makeSession(16, 2, 30);
    const QByteArray header = good.data.left(good.data.indexOf('\n') + 1);
    QByteArray binary;
    for (int i = 0; i < 20000; ++i)
        binary += char((i * 7919) % 256);
    QByteArray comma = good.data;
    comma.replace('.', ',');
    QByteArray shortLong = header + "0.0;1.0;5\r\n0.1;2.0;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23\r\n";
    QByteArray text = header + "0.0;abc;" + QByteArray(5000, '9') + ";1e999\r\n\r\n\r\r\n0.1;1;2\r\n";
    const QByteArray alarmsShort = good.alarms.left(good.alarms.indexOf('\n', 400) + 1);
    QByteArray alarmsLong = good.alarms;
    for (int i = 0; i < 50; ++i)
        alarmsLong += "9.9;9;1;3;5;7;9;11;13;15;3\r\n";

    struct Case {
        const char* name;
        QByteArray data;
        QByteArray alarms;
        bool opens;
        int fields;
    } cases[] = {
        {"empty", QByteArray(), good.alarms, true, 0},
        {"header only", header, good.alarms, true, 16},
        {"short and long rows", shortLong, good.alarms, true, 16},
        {"text and blank lines", text, good.alarms, true, 16},
        {"comma decimals", comma, good.alarms, true, 16},
        {"binary", binary, binary, true, -1},
        {"alarms shorter", good.data, alarmsShort, true, 16},
        {"alarms longer", good.data, alarmsLong, true, 16},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.clear();
        const QString folder = QStringLiteral("bad%1 \u00e0\u00e8/").arg(n++);
        const QString file = writeFile(folder + "sessione \u00fc.csv", c.data);
        writeFile(folder + "sessione \u00fc.txt", c.alarms);
        writeFile(folder + "sessione \u00fc.tim", good.laps);
        bool opened = false;
        command(file, [&](frmAnalisiDati& w) {
            opened = true;
            if (c.fields >= 0) {
                EXPECT_EQ(w.session().FieldsNum, c.fields);
            }
            // Every lap can be shown and read out.
            for (int r = 1; r < w.MSFlexGrid1->rowCount(); ++r) {
                w.MSFlexGrid1->setCurrentRow(r);
                w.MSFlexGrid1->setCurrentColumn(1);
                w.MSFlexGrid1_Click();
                w.AggiornaCursore(0, 0, 5);
                w.AggiornaCursoreAllarmi(0, 0, 5);
            }
            w.ChiudiGrafico();
        });
        EXPECT_EQ(opened, c.opens);
    }

    // The comma decimals read as the points do.
    {
        const QString file = writeFile("commas/s.csv", comma);
        writeFile("commas/s.txt", good.alarms);
        writeFile("commas/s.tim", good.laps);
        frmAnalisiDati& w = open(file);
        ASSERT_TRUE(loaded);
        ASSERT_TRUE(w.session().sources().valueAt);
        EXPECT_EQ(w.session().sources().valueAt(1, 3), 0.1);
        EXPECT_EQ(w.session().sources().valueAt(2, 3), 3.0);
    }
}

// A session whose alarms file is an ".alm": the fast window says once that
// the ".txt" is missing, then opens with the ".alm"'s alarms and laps.
TEST_F(AnalysisCommandTest, FastWindowOpensASessionWithOnlyAnAlmFile)
{
    UsaAnalisiSpeed = true;
    const SessionFiles f = makeSession(16, 2, 20);
    const QString file = writeFile("almonly/s.csv", f.data);
    writeFile("almonly/s.alm", f.alarms);
    writeFile("almonly/s.tim", f.laps);
    for (const int language : {0, 1}) {
        SCOPED_TRACE(language);
        loadShippedLanguages(language);
        msgs.clear();
        command(file, [&](frmAnalisiDati& w) {
            EXPECT_EQ(w.kind(), AnalysisKind::DatiSpeed);
            ASSERT_EQ(msgs.shown.size(), 1u);
            EXPECT_EQ(msgs.shown[0].text, languageText(328) + " s.txt " + languageText(329));
            EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
            EXPECT_TRUE(w.session().FileAllarmiPresente());
            EXPECT_TRUE(fileBytes(path("almonly/schema.ini")).contains("Col16=F16 Double\r\n[s.alm]\r\n"));

            // Start, two laps and End, numbered from the ".alm".
            GridComponent& g = *w.MSFlexGrid1;
            ASSERT_EQ(g.rowCount(), 5);
            EXPECT_EQ(g.text(3, 0), languageText(193) + "2");
            QTableWidget* table = g.table();
            const QModelIndex lap2 = table->model()->index(2, 0);
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(lap2).center());
            EXPECT_EQ(w.session().GiroCorrente, 3);
            w.SSTab1->setCurrentIndex(1);
            EXPECT_EQ(w.NTGraphAll->elementCount(), 8);
            // The oil-temperature alarm is on at the sixth row of each lap.
            w.AggiornaCursoreAllarmi(0.5, 0, w.NTGraphAll->sampleAt(0.5));
            for (int k = 0; k < 8; ++k)
                EXPECT_EQ(w.shpAlarm[std::size_t(k)]->colour(), k == 2 ? kLampOn : kLampOff) << k;
            w.ChiudiGrafico();
        });
        EXPECT_TRUE(QFileInfo::exists(path("almonly/s.ses")));
    }
}

TEST_F(AnalysisCommandTest, DataFileThatCannotBeReadSaysWhyAndOpensNothing)
{
    fileDialogs.answers = {path("missing/none.csv")};
    runAnalysisCommand();
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(msgs.shown[0].text.contains("none.csv"));
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
    EXPECT_FALSE(surface.busy);
}

// Every activation puts the language's texts back: the plain tab titles from
// the first show on, every measure name, a header without "[" and a name
// given in the chart settings too.
TEST_P(BothCommands, EveryActivationNamesTheMeasuresFromTheLanguageAndShowsThePlainTabTitles)
{
    SessionFiles f = makeSession(16, 2, 30);
    f.data.replace("M5 [u5]", "Oil pressure");
    for (const int language : {0, 1}) {
        SCOPED_TRACE(language);
        loadShippedLanguages(language);
        command(writeSession(QStringLiteral("names%1/").arg(language), f), [&](frmAnalisiDati& w) {
            ASSERT_TRUE(becomesActive(w));
            EXPECT_EQ(w.SSTab1->tabText(0), languageText(273));
            EXPECT_EQ(w.SSTab1->tabText(1), languageText(91));
            for (int i = 1; i <= 16; ++i)
                EXPECT_EQ(w.lblNomeCampo[i]->text(), languageText(i == 16 ? 320 : 305 + i)) << i;
            EXPECT_EQ(w.lblUM[4]->text(), "[u4]");

            // A lap chosen shows its number until the window is next
            // activated, here by the close of the chart settings, whose new
            // name gives way to the language's; the new unit stays.
            clickLap(w, 3);
            EXPECT_EQ(w.SSTab1->tabText(0), languageText(273) + " " + languageText(110) + " 2");
            QTest::mouseClick(w.chkGrafico[5], Qt::LeftButton);
            ModalDriver settings;
            settings.on("zuv::dlgSetGraph", [](QWidget& d) {
                auto& g = static_cast<dlgSetGraph&>(d);
                g.txtNomeCampo->setText(QStringLiteral("Renamed"));
                g.txtUM->setText(QStringLiteral("[psi]"));
                QTest::mouseClick(g.OKButton, Qt::LeftButton);
            });
            QTest::mouseClick(w.cmdSetGraph[5], Qt::LeftButton);
            EXPECT_TRUE(settings.waitDone());
            // Offscreen there is no window manager to give the window the
            // focus back when the dialog closes.
            w.activateWindow();
            ASSERT_TRUE(becomesActive(w));
            EXPECT_EQ(w.lblNomeCampo[5]->text(), languageText(310));
            EXPECT_EQ(w.lblUM[5]->text(), "[psi]");
            EXPECT_EQ(w.SSTab1->tabText(0), languageText(273));
            EXPECT_EQ(w.SSTab1->tabText(1), languageText(91));
            EXPECT_EQ(w.session().GiroCorrente, 3) << "the lap on show stays";
            w.ChiudiGrafico();
        });
    }
}

// The load's message on what it could not read is in the program's
// language and counts every warning it does not show.
TEST_P(BothCommands, DamagedDataIsSaidInTheProgramsLanguageAndWhatIsNotShownIsCounted)
{
    QtMessages real;
    setMessages(&real);
    const SessionFiles good = makeSession(16, 2, 30);
    const QString notANumber[] = {QStringLiteral(u"riga %1, campo 3: \"x\" non è un numero; vale 0"),
                                  QStringLiteral("line %1, field 3: \"x\" is not a number; read as 0")};
    const QString more[] = {QStringLiteral("... e altri %1"), QStringLiteral("... and %1 more")};
    for (const int bad : {40, 100}) {
        for (const int language : {0, 1}) {
            SCOPED_TRACE(std::to_string(bad) + " bad rows, language " + std::to_string(language));
            loadShippedLanguages(language);
            // Field 3 of the first `bad` rows is no number.
            SessionFiles damaged = good;
            QList<QByteArray> lines = good.data.split('\n');
            for (int r = 1; r <= bad; ++r) {
                QList<QByteArray> fields = lines[r].split(';');
                fields[2] = "x";
                lines[r] = fields.join(';');
            }
            damaged.data = lines.join('\n');
            const QString file = writeSession(QStringLiteral("damaged%1-%2/").arg(bad).arg(language), damaged);

            ModalDriver user;
            user.click(QMessageBox::Ok).on("zuv::frmAnalisiDati", [](QWidget& w) {
                static_cast<frmAnalisiDati&>(w).ChiudiGrafico();
            });
            fileDialogs.answers = {file};
            runAnalysisCommand();
            EXPECT_TRUE(user.waitDone());
            ASSERT_EQ(user.boxes.size(), 1u);
            EXPECT_EQ(user.boxes[0].icon, QMessageBox::Warning);
            const QStringList shown = user.boxes[0].text.split(QLatin1Char('\n'));
            ASSERT_EQ(shown.size(), 13);
            const QString where = QDir::toNativeSeparators(file) + ": ";
            for (int k = 0; k < 12; ++k)
                EXPECT_EQ(shown[k], where + notANumber[language].arg(k + 2));
            EXPECT_EQ(shown[12], more[language].arg(bad - 12));
        }
    }
    setMessages(&msgs);
}

TEST_P(BothCommands, EscLeavesTheWindowOpenAndTheCloseBoxClosesIt)
{
    command(example, [&](frmAnalisiDati& w) {
        ASSERT_TRUE(becomesActive(w));
        QTest::keyClick(&w, Qt::Key_Escape);
        QTest::keyClick(w.MSFlexGrid1->table(), Qt::Key_Escape);
        QTest::keyClick(w.chkGrafico[4], Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(AnalisiCaricata);
        EXPECT_TRUE(StatoComunicazione.AnalisiAperta);
        w.close();
    });
}

// The toolbar's exit key names the project in the status bar again and
// clears the loaded flag; the close box leaves both: the flag set and the
// status bar as the load left it: the data file, panels 1 and 3
// empty.
TEST_P(BothCommands, OnlyTheExitKeyPutsTheProjectBackInTheStatusBar)
{
    DatiProgetto.NomeProgetto = QStringLiteral("Collina 2024");
    PercorsoFileProgetto = path("progetti/collina.prj");
    const std::map<int, QString> loadLeft = {{1, QString()}, {2, QDir::toNativeSeparators(example)}, {3, QString()}};
    const std::map<int, QString> project = {{1, DatiProgetto.NomeProgetto}, {2, PercorsoFileProgetto}, {3, QString()}};
    for (const bool closeBox : {true, false}) {
        SCOPED_TRACE(closeBox ? "close box" : "exit key");
        command(example, [&](frmAnalisiDati& w) {
            ASSERT_TRUE(becomesActive(w));
            if (closeBox)
                queueCloseBox(w);
            else
                w.toolButton("ChiudiGrafico")->trigger();
        });
        const std::map<int, QString> panels = {{1, surface.panelText[1]}, {2, surface.panelText[2]},
                                               {3, surface.panelText[3]}};
        EXPECT_EQ(panels, closeBox ? loadLeft : project);
        // The close box leaves the loaded flag set, as it leaves the panels.
        EXPECT_EQ(AnalisiCaricata, closeBox);
    }
}

} // namespace zuv::test
