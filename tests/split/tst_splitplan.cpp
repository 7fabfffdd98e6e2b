#include "TestSupport.h"
#include "split/EncoderContract.h"
#include "split/SplitPlan.h"

#include <QDir>
#include <QTest>

Q_DECLARE_METATYPE(SplitRequest)

namespace {

// A request that passes every check in `app`: a 60-second source, 0 to 10 s, profile "avi".
SplitRequest GoodRequest(const TempAppDir& app)
{
    SplitRequest r;
    r.sourcePath = app.WriteFile("in/trip.avi", "video");
    r.startText = "00:00:00";
    r.endText = "00:00:10";
    r.sectionQtyText = "3";
    r.profileName = "avi";
    r.profileArgs = " -f avi";
    r.outputExt = ".avi";
    r.outputDirText = app.Path("out");
    r.sourceDurationMs = 60000;
    app.WriteFile("Profiles/avi.apf", "[Main]\nType=avi\n");
    QDir().mkpath(r.outputDirText);
    return r;
}

} // namespace

class TestSplitPlan : public QObject
{
    Q_OBJECT
private slots:
    void checks_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("focus");
        const QString file = "Please specify a valid input video file.";
        const QString start = "Please varify the Start Time you selected.";
        const QString end = "Please varify the End Time you selected.";
        const QString order = "The End Time should be later than the Start Time.";
        const QString section = "Please specify a valid section quantity.";
        QTest::newRow("1 missing source") << "source"
                                          << "/nonexistent/a.avi" << file << "Invalid File"
                                          << "edtSource";
        QTest::newRow("1 source is a folder") << "source"
                                              << "/" << file << "Invalid File"
                                              << "edtSource";
        QTest::newRow("2 start unreadable") << "start"
                                            << "abc" << start << "Invalid Start Time"
                                            << "";
        QTest::newRow("3 start at duration") << "start"
                                             << "00:01:00" << start << "Invalid Start Time"
                                             << "";
        QTest::newRow("3 no source loaded") << "duration"
                                            << "0" << start << "Invalid Start Time"
                                            << "";
        QTest::newRow("4 end unreadable") << "end"
                                          << "1:2" << end << "Invalid End Time"
                                          << "";
        QTest::newRow("4 end zero") << "end"
                                    << "00:00:00" << end << "Invalid End Time"
                                    << "";
        QTest::newRow("5 end equals start") << "start"
                                            << "00:00:10" << order << "Invalid Time"
                                            << "";
        QTest::newRow("6 letters") << "qty"
                                   << "abc" << section << "Invalid Section"
                                   << "edtSectionQty";
        QTest::newRow("6 empty") << "qty"
                                 << "" << section << "Invalid Section"
                                 << "edtSectionQty";
        QTest::newRow("7 no profile") << "profile"
                                      << ""
                                      << "Please select a valid output profile."
                                      << "Invalid Output Path"
                                      << "cmbProfile";
        QTest::newRow("8 missing folder") << "output"
                                          << "/nonexistent/out"
                                          << "Please specify a valid output path."
                                          << "Invalid Output Path"
                                          << "edtOutputDir";
        QTest::newRow("8 empty folder") << "output"
                                        << ""
                                        << "Please specify a valid output path."
                                        << "Invalid Output Path"
                                        << "edtOutputDir";
    }
    void checks()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        QFETCH(QString, focus);
        TempAppDir app;
        SplitRequest r = GoodRequest(app);
        r.equalSections = true;
        if (field == "source")
            r.sourcePath = value;
        if (field == "start")
            r.startText = value;
        if (field == "end")
            r.endText = value;
        if (field == "duration")
            r.sourceDurationMs = value.toLongLong();
        if (field == "qty")
            r.sectionQtyText = value;
        if (field == "profile")
            r.profileName = value;
        if (field == "output")
            r.outputDirText = value;
        const auto result = CheckAndPlan(r, app.Paths());
        QVERIFY(std::holds_alternative<CheckFailure>(result));
        QCOMPARE(std::get<CheckFailure>(result), (CheckFailure{message, caption, focus}));
    }

    // The checks run in their order: with everything wrong, the source is reported.
    void checkOrder()
    {
        TempAppDir app;
        SplitRequest r;
        r.equalSections = true;
        auto result = CheckAndPlan(r, app.Paths());
        QCOMPARE(std::get<CheckFailure>(result).caption, QStringLiteral("Invalid File"));
        r = GoodRequest(app);
        r.startText = "x";
        r.endText = "x";
        r.outputDirText.clear();
        result = CheckAndPlan(r, app.Paths());
        QCOMPARE(std::get<CheckFailure>(result).caption, QStringLiteral("Invalid Start Time"));
    }

    void accepted_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("equal");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<int>("count");
        QTest::newRow("end beyond duration") << "0:0:0"
                                             << "10:00:00" << false << "" << 1;
        QTest::newRow("one-clip ignores the count text") << "0:0:0"
                                                         << "0:0:10" << false << "abc" << 1;
        QTest::newRow("zero sections") << "0:0:0"
                                       << "0:0:10" << true << "0" << 0;
        QTest::newRow("negative sections") << "0:0:0"
                                           << "0:0:10" << true << " -4" << -4;
        QTest::newRow("hex sections") << "0:0:0"
                                      << "0:0:10" << true << "$A" << 10;
        QTest::newRow("negative start") << "0:0:-5"
                                        << "0:0:10" << false << "" << 1;
    }
    void accepted()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, equal);
        QFETCH(QString, qty);
        QFETCH(int, count);
        TempAppDir app;
        SplitRequest r = GoodRequest(app);
        r.startText = start;
        r.endText = end;
        r.equalSections = equal;
        r.sectionQtyText = qty;
        const auto result = CheckAndPlan(r, app.Paths());
        QVERIFY(std::holds_alternative<SplitPlan>(result));
        QCOMPARE(std::get<SplitPlan>(result).count, count);
    }

    void commaSeparator()
    {
        TempAppDir app;
        SplitRequest r = GoodRequest(app);
        r.decimalSeparator = u',';
        r.endText = "0:0:2,5";
        const auto plan = std::get<SplitPlan>(CheckAndPlan(r, app.Paths()));
        QCOMPARE(plan.length, 2.5);
        r.endText = "0:0:2.5";
        QVERIFY(std::holds_alternative<CheckFailure>(CheckAndPlan(r, app.Paths())));
    }

    void equalSections()
    {
        TempAppDir app;
        SplitRequest r = GoodRequest(app);
        r.equalSections = true;
        const auto plan = std::get<SplitPlan>(CheckAndPlan(r, app.Paths()));
        QCOMPARE(plan.count, 3);
        const QString src = r.sourcePath;
        const QString out = app.Path("out/");
        const QStringList starts{"0.0", "3.3", "6.7"};
        for (int i = 1; i <= 3; ++i) {
            const SectionPlan s = PlanSection(plan, i);
            QCOMPARE(s.outputPath, out + "trip_Clip" + QString::number(i) + ".avi");
            QCOMPARE(s.label, "Splitting: Section " + QString::number(i));
            QCOMPARE(s.command, " -y -i \"" + src + "\" -ss " + starts[i - 1] +
                                    " -t 3.33333333333333 -f avi \"" + s.outputPath + "\"");
        }
    }

    void oneClip()
    {
        TempAppDir app;
        SplitRequest r = GoodRequest(app);
        r.sourcePath = app.WriteFile("in/movie.final.avi", "v");
        r.startText = "0:0:12.25";
        r.endText = "0:0:19.75";
        r.outputDirText = app.Path("out/");
        const auto plan = std::get<SplitPlan>(CheckAndPlan(r, app.Paths()));
        const SectionPlan s = PlanSection(plan, 1);
        QCOMPARE(s.outputPath, app.Path("out/movie.final_Clip1.avi"));
        QCOMPARE(s.label, QStringLiteral("Splitting: movie.final.avi"));
        QCOMPARE(s.command,
                 " -y -i \"" + r.sourcePath + "\" -ss 12.3 -t 7.5 -f avi \"" + s.outputPath + "\"");
    }

    // The lossless profile names its clips with the source's own extension.
    void losslessKeepsContainer()
    {
        TempAppDir app;
        SplitRequest r = GoodRequest(app);
        r.sourcePath = app.WriteFile("in/holiday.MOV", "v");
        r.profileName = LosslessProfileName;
        r.outputExt = ".mp4";
        app.WriteFile("Profiles/Settings of the source file..apf", "[Main]\n");
        const auto plan = std::get<SplitPlan>(CheckAndPlan(r, app.Paths()));
        QCOMPARE(PlanSection(plan, 1).outputPath, app.Path("out/holiday_Clip1.MOV"));
    }

    void sectionStart_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0.0";
        QTest::newRow("0.15 as read") << 0.15 << "0.2";
        QTest::newRow("12.25 as read") << 12.25 << "12.3";
        QTest::newRow("third") << 10.0 / 3 << "3.3";
        QTest::newRow("two thirds") << 20.0 / 3 << "6.7";
        QTest::newRow("carry") << 9.96 << "10.0";
        QTest::newRow("small half") << 0.05 << "0.1";
        QTest::newRow("below half") << 0.04 << "0.0";
        QTest::newRow("negative") << -5.0 << "-5.0";
        QTest::newRow("negative half away") << -0.25 << "-0.3";
        QTest::newRow("negative zero") << -0.04 << "0.0";
        QTest::newRow("large") << 123456789.96 << "123456790.0";
    }
    void sectionStart()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatSectionStart(value), text);
    }

    void sectionDuration_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("third") << 10.0 / 3 << "3.33333333333333";
        QTest::newRow("whole") << 60.0 << "60";
        QTest::newRow("half") << 7.5 << "7.5";
        QTest::newRow("tenth") << 0.1 << "0.1";
        QTest::newRow("two thirds") << 2.0 / 3 << "0.666666666666667";
        QTest::newRow("small plain") << 0.0001 << "0.0001";
        QTest::newRow("smallest plain") << 0.00001 << "0.00001";
        QTest::newRow("tiny") << 1.5e-6 << "1.5E-6";
        QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("16 digits") << 1234567890123456.0 << "1.23456789012346E15";
        QTest::newRow("exact tie away from zero") << 1000000000000005.0 << "1.00000000000001E15";
    }
    void sectionDuration()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatSectionDuration(value), text);
    }

    void splitCommandLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("blanks") << "  -f  avi\t-y " << QStringList{"-f", "avi", "-y"};
        QTest::newRow("quotes group")
            << "-vf \"scale=640:480, fps=25\"" << QStringList{"-vf", "scale=640:480, fps=25"};
        QTest::newRow("quotes inside a word") << "a\"b c\"d" << QStringList{"ab cd"};
        QTest::newRow("empty quotes") << "-metadata \"\"" << QStringList{"-metadata", ""};
        QTest::newRow("escaped quote") << "a\\\"b" << QStringList{"a\"b"};
        QTest::newRow("literal backslashes") << "a\\\\b\\c" << QStringList{"a\\\\b\\c"};
        QTest::newRow("even backslashes before quote") << "\"a\\\\\" b" << QStringList{"a\\", "b"};
        QTest::newRow("odd backslashes before quote") << "a\\\\\\\"b" << QStringList{"a\\\"b"};
        QTest::newRow("doubled quote inside quotes") << "\"a\"\"b\" c" << QStringList{"a\"b", "c"};
        QTest::newRow("unclosed quote") << "\"a b" << QStringList{"a b"};
        QTest::newRow("option without value") << " -an " << QStringList{"-an"};
    }
    void splitCommandLine()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, args);
        QCOMPARE(SplitCommandLine(text), args);
    }

    // For paths without a double quote the shown text and the started argument list agree.
    void commandMatchesArguments_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("args");
        QTest::newRow("plain") << "/v/trip.avi"
                               << " -f avi";
        QTest::newRow("blanks in path") << "/my videos/a b.mp4"
                                        << " -c:v libx264 -crf 23";
        QTest::newRow("odd characters") << "/v/it's $HOME & ; `x`.mov"
                                        << " -an ";
        QTest::newRow("no profile args") << "/v/a.avi"
                                         << "";
        QTest::newRow("quoted filter") << "/v/a.avi"
                                       << " -vf \"scale=320:240\"";
    }
    void commandMatchesArguments()
    {
        QFETCH(QString, source);
        QFETCH(QString, args);
        const EncoderCommandInput in{source, 1.25, 3.5, args, "/out dir/a_Clip1.avi"};
        const QStringList list = BuildEncoderArguments(in);
        QCOMPARE(SplitCommandLine(BuildEncoderCommand(in)), list);
        QCOMPARE(list.first(3), (QStringList{"-y", "-i", source}));
        QCOMPARE(list.last(), in.outputPath);
    }

    void pathWithQuoteStaysOneArgument()
    {
        const EncoderCommandInput in{"/v/say \"hi\".avi", 0, 1, "", "/o/say \"hi\"_Clip1.avi"};
        const QStringList list = BuildEncoderArguments(in);
        QCOMPARE(list.size(), 8);
        QCOMPARE(list[2], in.sourcePath);
        QCOMPARE(list[7], in.outputPath);
    }
};

BRINDLE_TEST_CLASS(TestSplitPlan)
#include "tst_splitplan.moc"
