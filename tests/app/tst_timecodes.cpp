#include "TestSupport.h"
#include "app/TimeCodes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestTimeCodes : public QObject
{
    Q_OBJECT
private slots:
    void formatTime_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "00:00:00";
        QTest::newRow("fraction truncated") << 59.999 << "00:00:59";
        QTest::newRow("half not rounded") << 3599.5 << "00:59:59";
        QTest::newRow("one hour") << 3600.0 << "01:00:00";
        QTest::newRow("day less a second") << 86399.0 << "23:59:59";
        QTest::newRow("a day") << 86400.0 << "24:00:00";
        QTest::newRow("three-digit hours") << 360000.0 << "100:00:00";
        QTest::newRow("negative fields") << -65.0 << "00:-01:-05";
        QTest::newRow("negative hours") << -3725.0 << "-01:-02:-05";
        QTest::newRow("negative fraction toward zero") << -0.9 << "00:00:00";
        QTest::newRow("not a number") << qQNaN() << "00:00:00";
    }
    void formatTime()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(FormatTime(seconds), text);
    }

    void parseTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<double>("seconds");
        const QChar dot = u'.';
        const QChar comma = u',';
        QTest::newRow("zero") << "00:00:00" << dot << 0.0;
        QTest::newRow("short fields") << "1:2:3" << dot << 3723.0;
        QTest::newRow("fraction") << "01:02:03.25" << dot << 3723.25;
        QTest::newRow("fields over 59 add up") << "0:90:90" << dot << 5490.0;
        QTest::newRow("negative minutes") << "1:-30:0" << dot << 1800.0;
        QTest::newRow("blanks in front") << " 1: 2: 3" << dot << 3723.0;
        QTest::newRow("blank after seconds") << "1:2:3 " << dot << 3723.0;
        QTest::newRow("exponent") << "0:0:1e2" << dot << 100.0;
        QTest::newRow("hex hours with $") << "$A:0:0" << dot << 36000.0;
        QTest::newRow("hex minutes with 0x") << "0:0x2:0" << dot << 120.0;
        QTest::newRow("hex with x") << "x1:0:0" << dot << 3600.0;
        QTest::newRow("plus sign") << "+1:+1:+1" << dot << 3661.0;
        QTest::newRow("negative seconds") << "0:0:-5" << dot << -5.0;
        QTest::newRow("lone separator") << "0:1:," << comma << 60.0;
        QTest::newRow("comma separator") << "0:0:1,5" << comma << 1.5;
        QTest::newRow("point refused with comma") << "0:0:1.5" << comma << -1.0;
        QTest::newRow("empty") << "" << dot << -1.0;
        QTest::newRow("no colon") << "123" << dot << -1.0;
        QTest::newRow("one colon") << "1:2" << dot << -1.0;
        QTest::newRow("empty seconds") << "1:2:" << dot << -1.0;
        QTest::newRow("empty hours") << ":2:3" << dot << -1.0;
        QTest::newRow("third colon") << "1:2:3:4" << dot << -1.0;
        QTest::newRow("seconds begin with point") << "0:0:.5" << dot << -1.0;
        QTest::newRow("letters") << "0:0:abc" << dot << -1.0;
        QTest::newRow("blank after hours") << "1 :2:3" << dot << -1.0;
        QTest::newRow("blank after minutes") << "1:2 :3" << dot << -1.0;
        QTest::newRow("fraction in minutes") << "0:1.5:0" << dot << -1.0;
        QTest::newRow("two signs") << "--1:0:0" << dot << -1.0;
        QTest::newRow("exponent without digits") << "0:0:1e" << dot << -1.0;
        QTest::newRow("hours beyond 32 bits") << "2147483648:0:0" << dot << -1.0;
        QTest::newRow("product beyond 32 bits") << "600000:0:0" << dot << -1.0;
        QTest::newRow("reads as -1") << "0:0:-1" << dot << -1.0;
    }
    void parseTime()
    {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(double, seconds);
        QCOMPARE(ParseTime(text, separator), seconds);
    }

    void normalForm() { QCOMPARE(FormatTime(ParseTime(u"0:1:5.7")), QStringLiteral("00:01:05")); }

    void readInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << "42" << true << 42;
        QTest::newRow("leading blanks and sign") << "  -7" << true << -7;
        QTest::newRow("dollar hex") << "$1F" << true << 31;
        QTest::newRow("0X hex") << "0X10" << true << 16;
        QTest::newRow("signed hex") << "-$10" << true << -16;
        QTest::newRow("eight hex digits wrap") << "$FFFFFFFF" << true << -1;
        QTest::newRow("leading zeros are not significant") << "$000000001" << true << 1;
        QTest::newRow("nine hex digits") << "$100000000" << false << 0;
        QTest::newRow("int max") << "2147483647" << true << 2147483647;
        QTest::newRow("int min") << "-2147483648" << true << int(-2147483648LL);
        QTest::newRow("over int max") << "2147483648" << false << 0;
        QTest::newRow("trailing blank") << "5 " << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("prefix only") << "0x" << false << 0;
        QTest::newRow("letters") << "ten" << false << 0;
        QTest::newRow("fraction") << "1.0" << false << 0;
    }
    void readInteger()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const auto result = ReadInteger(text);
        QCOMPARE(result.has_value(), valid);
        if (valid) {
            QCOMPARE(*result, value);
        }
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("withoutExt");
        QTest::newRow("plain") << "movie.avi"
                               << "movie";
        QTest::newRow("two dots") << "my.movie.avi"
                                  << "my.movie";
        QTest::newRow("no dot") << "movie"
                                << "movie";
        QTest::newRow("only extension") << ".avi"
                                        << "";
        QTest::newRow("trailing dot") << "Settings of the source file..apf"
                                      << "Settings of the source file.";
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, withoutExt);
        QCOMPARE(NameWithoutExt(name), withoutExt);
    }

    void trailingSlash()
    {
        QCOMPARE(WithTrailingBackslash("/home/a"), QStringLiteral("/home/a/"));
        QCOMPARE(WithTrailingBackslash("/home/a/"), QStringLiteral("/home/a/"));
        QCOMPARE(WithTrailingBackslash("/"), QStringLiteral("/"));
        QCOMPARE(WithTrailingBackslash(""), QString());
    }

    void supportedExt_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("supported");
        QTest::newRow("upper case") << "/v/Clip.MP4" << true;
        QTest::newRow("two dots") << "/v/a.b.AVI" << true;
        QTest::newRow("mpeg") << "x.mpeg" << true;
        QTest::newRow("other type") << "/v/clip.mkv" << false;
        QTest::newRow("no dot") << "/v/clip" << false;
        QTest::newRow("dot only in folder") << "/v.avi/clip" << false;
        QTest::newRow("colon is an ordinary character") << "/v/a:b.mov" << true;
        QTest::newRow("non-ASCII capital not lowered") << "/v/a.AVÍ" << false;
    }
    void supportedExt()
    {
        QFETCH(QString, path);
        QFETCH(bool, supported);
        QCOMPARE(HasSupportedExt(path, DefaultSupportedExtensions()), supported);
    }

    void sourceValid()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("notes.txt");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(IsSourceValid(file));
        QVERIFY(!IsSourceValid(dir.path()));
        QVERIFY(!IsSourceValid(dir.filePath("missing.avi")));
        QVERIFY(!IsSourceValid(QString()));
    }
};

BRINDLE_TEST_CLASS(TestTimeCodes)
#include "tst_timecodes.moc"
