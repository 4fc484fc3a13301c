// The analysis windows' toolbar: overlaid and separate traces, the zoom mode,
// the dialogs it opens, the chart settings and the chart print.

#include "support/ui/analysis_window_fixture.h"

namespace zuv::test {

TEST_P(BothWindows, StatisticsStopWithoutAWordAtALapTimeThatCannotBeRead)
{
    SessionFiles f = makeSession(16, 3, 20);
    f.laps = "1.4\r\n01:01.00, 1\r\nxx:yy.zz, 1\r\n01:03.00, 1\r\n\r\n";
    const QString file = writeFile("badlap/s.csv", f.data);
    writeFile("badlap/s.txt", f.alarms);
    writeFile("badlap/s.tim", f.laps);
    // The dialogs address the window of the kind the program opens.
    UsaAnalisiSpeed = GetParam() == AnalysisKind::DatiSpeed;
    frmAnalisiDati& w = open(file, GetParam());
    ASSERT_TRUE(loaded);
    ASSERT_EQ(w.session().intGiriCompletati, 3);
    w.toolButton("Statistiche")->trigger();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(w.findChild<dlgStatistiche*>(), nullptr);
    // The total as far as it came; what follows it was never computed.
    EXPECT_EQ(w.session().TempoTotale, "00:01:01.00");
    EXPECT_EQ(w.session().TempoMedioGiro, "");
    EXPECT_EQ(w.session().strGiroVeloce, "");

    // Once the lap time reads, the statistics open.
    w.session().TabellaGiri[3][1] = QStringLiteral("01:02.00");
    w.toolButton("Statistiche")->trigger();
    EXPECT_NE(w.findChild<dlgStatistiche*>(), nullptr);
    EXPECT_EQ(w.session().TempoTotale, "00:03:06.00");
    EXPECT_EQ(w.session().TempoMedioGiro, "01:02.00");
}

// The nine arguments of the chart print, as the page shows them: the header
// with the drivers' and notes' line breaks as blanks, then the trace names
// of the tab on show.
TEST_P(BothWindows, ChartPrintTakesTheSessionHeaderAndTheNamesOfTheTabShown)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(4);
    clickCell(kLap4Row, 1);
    DatiSessione.Piloti = QStringLiteral("Anna\r\nBruno");
    DatiSessione.NoteSessione = QStringLiteral("wet\nthen dry");
    PrintRecorder recorder;
    setPrinter(&recorder);
    w.SSTab1->setCurrentIndex(1);
    w.toolButton("Stampa")->trigger();
    w.SSTab1->setCurrentIndex(0);
    w.toolButton("Stampa")->trigger();
    EXPECT_TRUE(msgs.shown.empty());
    ASSERT_EQ(recorder.documents.size(), 2u);
    const auto texts = [&](std::size_t document) {
        std::vector<QString> out;
        for (const QString& c : recorder.documents[document].calls)
            if (c.startsWith(QStringLiteral("text ")))
                out.push_back(c.mid(5));
        return out;
    };
    const SessionRecord& s = DatiSessione;
    std::vector<QString> header = {languageText(195) + s.Sessione,        languageText(196) + s.DataSessione,
                                   languageText(197) + s.OraSessione,     languageText(198) + "Pista Collina",
                                   languageText(199) + s.VeicoloSessione, languageText(200) + "Anna  Bruno",
                                   languageText(201) + "wet then dry"};
    std::vector<QString> alarms = header;
    for (int k = 0; k < 8; ++k)
        alarms.push_back(languageText(274 + k));
    EXPECT_EQ(texts(0), alarms) << "the alarms tab names the eight alarms, no heading";
    EXPECT_EQ(recorder.documents[0].title, header[0]);
    std::vector<QString> measures = header;
    measures.push_back(languageText(202) + ":");
    measures.push_back(w.lblNomeCampo[4]->text());
    EXPECT_EQ(texts(1), measures);
}

// The chart settings refuse only what would break the drawing: a width below
// 1 and a minimum above the maximum are stored as typed.
TEST_P(BothWindows, ChartSettingsStoreAWidthBelowOneAndAMinimumAboveTheMaximumAsTyped)
{
    // The dialog finds the window of the kind the program uses.
    UsaAnalisiSpeed = GetParam() == AnalysisKind::DatiSpeed;
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(4);
    check(6);
    clickCell(kLap4Row, 1);
    w.toolButton("Separati")->trigger();
    ASSERT_TRUE(w.session().blnSeparati);
    ASSERT_TRUE(w.cmdSetGraph[4]->isEnabled());
    ModalDriver user;
    user.on("zuv::dlgSetGraph", [](QWidget& d) {
        auto& g = static_cast<dlgSetGraph&>(d);
        EXPECT_TRUE(g.fraScalaDisegno->isVisible());
        g.cboWidth->setEditText(QStringLiteral("0"));
        g.txtMinVal->setText(QStringLiteral("5"));
        g.txtMaxVal->setText(QStringLiteral("1"));
        QTest::mouseClick(g.OKButton, Qt::LeftButton);
    });
    QTest::mouseClick(w.cmdSetGraph[4], Qt::LeftButton);
    EXPECT_TRUE(user.waitDone());
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(w.session().SpessoreMisura[4], 0);
    EXPECT_EQ(w.session().ValoriMin[4], 5.0);
    EXPECT_EQ(w.session().ValoriMax[4], 1.0);
    // Still drawn, the width below 1 as the thinnest line.
    ASSERT_EQ(w.NTGraph1->elementCount(), 2);
    EXPECT_EQ(w.NTGraph1->elementPlottable(w.session().IndiceElemento[4][0])->pen().width(), 1);
}

TEST_F(AnalysisTest, ToolbarSwitchesOverlaidAndSeparateTracesAndTheZoomMode)
{
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    QAction* split = w.toolButton("Separati");
    QAction* overlaid = w.toolButton("Sovrapposti");
    QAction* zoom = w.toolButton("SetZoom");
    EXPECT_TRUE(overlaid->isChecked());
    EXPECT_FALSE(split->isChecked());
    for (int i : {3, 5, 9})
        check(i);
    split->trigger();
    EXPECT_TRUE(w.session().blnSeparati);
    EXPECT_TRUE(split->isChecked());
    EXPECT_FALSE(overlaid->isChecked());
    EXPECT_FALSE(zoom->isEnabled());
    EXPECT_EQ(w.NTGraph1->bandCount(), 3);
    EXPECT_EQ(w.NTGraph1->elementCount(), 3);
    // Each band has its own y range around its measure.
    const ChartComponent::Range b2 = w.NTGraph1->bandRange(2);
    EXPECT_LE(b2.yFrom, w.session().ValoriMin[5]);
    EXPECT_GE(b2.yTo, w.session().ValoriMax[5]);

    // A fourth measure is checked, but separate mode has no room for it:
    // each redraw says so, the scale option's and the box's own, and the
    // chart keeps its three bands. "Separati" keeps its state.
    check(12);
    EXPECT_TRUE(w.chkGrafico[12]->isChecked());
    EXPECT_EQ(w.session().NumGraficiAttivi, 4);
    ASSERT_EQ(msgs.shown.size(), 2u);
    for (const ShownMessage& m : msgs.shown) {
        EXPECT_EQ(m.text, languageText(145));
        EXPECT_EQ(m.icon, MsgIcon::Information);
    }
    EXPECT_EQ(w.NTGraph1->elementCount(), 3);
    EXPECT_EQ(w.NTGraph1->bandCount(), 3);
    EXPECT_TRUE(split->isEnabled());
    // "Separati" again on the measures tab: once from the zoom mode's
    // redraw, once from its own check; separate mode stays.
    msgs.clear();
    split->trigger();
    EXPECT_EQ(msgs.shown.size(), 2u);
    EXPECT_TRUE(w.session().blnSeparati);
    EXPECT_TRUE(split->isChecked());
    EXPECT_FALSE(overlaid->isChecked());
    EXPECT_FALSE(zoom->isEnabled());
    EXPECT_EQ(w.NTGraph1->bandCount(), 3);
    // Back to three, the redraw draws them again.
    msgs.clear();
    check(12);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(w.NTGraph1->elementCount(), 3);

    overlaid->trigger();
    EXPECT_FALSE(w.session().blnSeparati);
    EXPECT_EQ(w.NTGraph1->bandCount(), 0);
    EXPECT_TRUE(zoom->isEnabled());
    check(12);
    EXPECT_FALSE(split->isEnabled()) << "four measures cannot be set apart";

    zoom->trigger();
    EXPECT_TRUE(w.session().ModoZoom);
    EXPECT_TRUE(zoom->isChecked());
    EXPECT_EQ(w.NTGraph1->mouseMode(), 2);
    EXPECT_FALSE(w.cmdZoomIn10->isEnabled());
    // The zoom mode lasts through redraws.
    QTest::mouseClick(w.cmdSpostaDX1, Qt::LeftButton);
    EXPECT_EQ(w.NTGraph1->mouseMode(), 2);
    zoom->trigger();
    EXPECT_EQ(w.NTGraph1->mouseMode(), 0);
    EXPECT_TRUE(w.cmdZoomIn10->isEnabled());

    // "Separati" ends the zoom mode, but "SetZoom" keeps its look and the
    // zoom-in buttons their state; "Sovrapposti" shows the mode again.
    check(12);
    zoom->trigger();
    ASSERT_TRUE(w.session().ModoZoom);
    split->trigger();
    EXPECT_FALSE(w.session().ModoZoom);
    EXPECT_EQ(w.NTGraph1->mouseMode(), 0);
    EXPECT_TRUE(zoom->isChecked());
    EXPECT_FALSE(zoom->isEnabled());
    EXPECT_FALSE(w.cmdZoomIn10->isEnabled());
    EXPECT_FALSE(w.cmdZoomIn50->isEnabled());
    overlaid->trigger();
    EXPECT_FALSE(zoom->isChecked());
    EXPECT_TRUE(zoom->isEnabled());

    // A key it does not know does nothing.
    w.Toolbar1_ButtonClick(QStringLiteral("Nothing"));
    EXPECT_TRUE(w.isVisible());
}

TEST_F(AnalysisTest, DialogsOpenFromTheToolbarAndTheSetButtonsAndCloseWithTheWindow)
{
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    check(4);
    clickCell(kLap4Row, 1);

    w.toolButton("Statistiche")->trigger();
    w.toolButton("ReportGiri")->trigger();
    QPointer<dlgStatistiche> stats = w.findChild<dlgStatistiche*>();
    QPointer<dlgReportGiri> report = w.findChild<dlgReportGiri*>();
    ASSERT_TRUE(stats);
    ASSERT_TRUE(report);
    EXPECT_TRUE(stats->isVisible());
    EXPECT_FALSE(w.session().TempoTotale.isEmpty());

    // The chart settings of a measure: a filter of 2 thins its trace.
    {
        ModalDriver user;
        user.on("zuv::dlgSetGraph", [](QWidget& d) {
            auto& g = static_cast<dlgSetGraph&>(d);
            EXPECT_EQ(g.IndiceGrafico, 4);
            g.txtFiltro->setText(QStringLiteral("2"));
            QTest::mouseClick(g.OKButton, Qt::LeftButton);
        });
        QTest::mouseClick(w.cmdSetGraph[4], Qt::LeftButton);
        EXPECT_TRUE(user.waitDone());
    }
    EXPECT_EQ(w.session().FiltroMisura[4], 2);
    EXPECT_EQ(keys(*w.NTGraph1).size(), 365u);

    // The session data dialog: the lap table is rebuilt, also after Cancel.
    {
        ModalDriver user;
        user.on("zuv::dlgDatiSessione", [](QWidget& d) { static_cast<QDialog&>(d).reject(); });
        w.toolButton("DatiSessione")->trigger();
        EXPECT_TRUE(user.waitDone());
    }
    EXPECT_EQ(w.session().SettoriGiro, 4);
    EXPECT_FALSE(w.MSFlexGrid1->text(2, 2).isEmpty());
    EXPECT_EQ(w.MSFlexGrid1->cellBackground(6, 1), colorFromValue(65280));

    w.ChiudiGrafico();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(stats.isNull());
    EXPECT_TRUE(report.isNull());
}

TEST_F(AnalysisTest, StatisticsKeysNeedACompletedLap)
{
    const SessionFiles f = makeSession(16, 0, 30);
    const QString file = writeFile("nolap/s.csv", f.data);
    writeFile("nolap/s.txt", f.alarms);
    writeFile("nolap/s.tim", f.laps);
    frmAnalisiDati& w = open(file);
    ASSERT_TRUE(loaded);
    // No lap: the grid is hidden and the recording shows as one stretch.
    EXPECT_FALSE(w.MSFlexGrid1->isVisibleTo(&w));
    EXPECT_EQ(w.session().GiroCorrente, 2);
    EXPECT_TRUE(w.SSTab1->isVisibleTo(&w));
    for (const char* key : {"Statistiche", "StatisticheMisure", "ReportGiri"}) {
        msgs.clear();
        w.toolButton(QLatin1String(key))->trigger();
        ASSERT_EQ(msgs.shown.size(), 1u) << key;
        EXPECT_EQ(msgs.shown[0].text, languageText(302));
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Information);
    }
}

TEST_F(AnalysisTest, ChartPrintsToPdfWithTheSessionHeaderAndItsLegend)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    check(4);
    clickCell(kLap4Row, 1);
    const auto printed = [&](const QString& pdf) {
        QtPrinter printer(pdf);
        setPrinter(&printer);
        w.toolButton("Stampa")->trigger();
        setPrinter(nullptr);
        QProcess run;
        run.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {pdf, QStringLiteral("-")});
        run.waitForFinished(20000);
        return QString::fromUtf8(run.readAllStandardOutput()).simplified();
    };
    const QString measures = printed(path("measures.pdf"));
    EXPECT_TRUE(measures.contains(languageText(195) + "Free practice 1")) << measures.toStdString();
    EXPECT_TRUE(measures.contains(languageText(198) + "Pista Collina"));
    EXPECT_TRUE(measures.contains(languageText(202)));
    EXPECT_TRUE(measures.contains(w.lblNomeCampo[4]->text()));
    EXPECT_TRUE(msgs.shown.empty());

    w.SSTab1->setCurrentIndex(1);
    const QString alarms = printed(path("alarms.pdf"));
    EXPECT_TRUE(alarms.contains(languageText(274))) << alarms.toStdString();
    EXPECT_TRUE(alarms.contains(languageText(281)));
}

// Printing goes straight to the system's default printer; these tests' system
// has none, so both prints say so, in the program's language. Each box
// belongs to the window whose Print was pressed, and once it is answered the
// lap report is in front again, ready.
TEST_P(BothCommands, PrintWithNoPrinterSaysWhyAndReturnsToTheWindowThatPrinted)
{
    QtPrinter system;
    setPrinter(&system);
    QtMessages real;
    setMessages(&real);
    for (const int language : {0, 1}) {
        SCOPED_TRACE(language);
        loadShippedLanguages(language);
        QPointer<dlgReportGiri> report;
        bool reportInFront = false;
        ModalDriver user;
        user.on("zuv::frmAnalisiDati",
                [&](QWidget& widget) {
                    auto& w = static_cast<frmAnalisiDati&>(widget);
                    w.toolButton("Stampa")->trigger();
                    ASSERT_EQ(user.boxes.size(), 1u);
                    EXPECT_EQ(user.boxes[0].owner, &w);
                    w.toolButton("ReportGiri")->trigger();
                    report = w.findChild<dlgReportGiri*>();
                    ASSERT_NE(report, nullptr);
                    QTest::mouseClick(report->cmdStampa, Qt::LeftButton);
                    ASSERT_EQ(user.boxes.size(), 2u);
                    EXPECT_EQ(user.boxes[1].owner, report) << "the lap report's box is the lap report's";
                    reportInFront = report && report->isVisible() && becomesActive(*report);
                    w.ChiudiGrafico();
                })
            .click(QMessageBox::Ok)
            .click(QMessageBox::Ok);
        fileDialogs.answers = {example};
        runAnalysisCommand();
        EXPECT_TRUE(user.waitDone());
        ASSERT_EQ(user.boxes.size(), 2u);
        for (const ModalDriver::Box& box : user.boxes)
            EXPECT_EQ(box.text, languageText(368));
        EXPECT_TRUE(reportInFront);
    }
    setMessages(&msgs);
}

} // namespace zuv::test
