#include "core/conversions.h"
#include "core/countdownfigures.h"

#include <QTest>
#include <QTimeZone>

class TestConversions : public QObject
{
    Q_OBJECT
private slots:
    void examStart_data();
    void examStart();
    void intervalIgnoresDaylightSaving();
    void round_data();
    void round();
    void toText_data();
    void toText();
    void toNumber_data();
    void toNumber();
    void alarmSeconds_data();
    void alarmSeconds();
    void figures_data();
    void figures();
};

void TestConversions::examStart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");
    const QDateTime exam(QDate(2015, 6, 7), QTime(0, 0), Qt::LocalTime);
    QTest::newRow("exam date") << QStringLiteral("2015年6月7日") << exam;
    QTest::newRow("two-digit month and day")
        << QStringLiteral("2016年12月31日") << QDateTime(QDate(2016, 12, 31), QTime(0, 0));
    QTest::newRow("no such day") << QStringLiteral("2015年2月30日") << QDateTime();
    QTest::newRow("other shape") << QStringLiteral("2015-06-07") << QDateTime();
    QTest::newRow("empty") << QString() << QDateTime();
}

void TestConversions::examStart()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    QCOMPARE(::examStart(text), expected);
}

void TestConversions::intervalIgnoresDaylightSaving()
{
    // Across a spring-forward night in a zone with daylight saving, wall clock hours still count 24
    // a day: the figures follow the calendar, not the zone rules.
    const QTimeZone berlin("Europe/Berlin");
    const QDateTime before(QDate(2015, 3, 28), QTime(12, 0), berlin);
    const QDateTime after(QDate(2015, 3, 29), QTime(12, 0), berlin);
    QCOMPARE(conv::interval(after, before, conv::Unit::Hour), 24.0);
    QCOMPARE(conv::interval(after, before, conv::Unit::Day), 1.0);
    QCOMPARE(conv::interval(before, after, conv::Unit::Day), -1.0);
}

void TestConversions::round_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("below half") << 135.4997 << 135.0;
    QTest::newRow("above half") << 135.5003 << 136.0;
    QTest::newRow("half rounds away from zero") << 0.5 << 1.0;
    QTest::newRow("negative half away from zero") << -0.5 << -1.0;
    QTest::newRow("negative below half") << -0.375 << 0.0;
}

void TestConversions::round()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(conv::round(value), expected);
}

void TestConversions::toText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 59.0 << "59";
    QTest::newRow("negative whole") << -24.0 << "-24";
    QTest::newRow("negative zero has no sign") << -0.0 << "0";
    QTest::newRow("fraction") << 0.5 << "0.5";
    QTest::newRow("negative fraction") << -0.5 << "-0.5";
    QTest::newRow("large whole stays digits") << 315360000.0 << "315360000";
}

void TestConversions::toText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(conv::toText(value), expected);
}

void TestConversions::toNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("whole") << "59" << 59.0;
    QTest::newRow("leading zero") << "05" << 5.0;
    QTest::newRow("blanks around") << " 7 " << 7.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("negative") << "-1" << -1.0;
    QTest::newRow("not a number") << "abc" << 0.0;
    QTest::newRow("blanks only") << "   " << 0.0;
    QTest::newRow("infinity is not a number") << "inf" << 0.0;
}

void TestConversions::toNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(conv::toNumber(text), expected);
}

void TestConversions::alarmSeconds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected"); // 0: refused
    QTest::newRow("whole") << "3" << qint64(3);
    QTest::newRow("leading zero") << "05" << qint64(5);
    QTest::newRow("whole with zero fraction") << "3.0" << qint64(3);
    QTest::newRow("blanks around") << "  12 " << qint64(12);
    QTest::newRow("ten years") << "315360000" << conv::kMaxAlarmSeconds;
    QTest::newRow("many leading zeros") << "0000000000000000000042" << qint64(42);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("zero") << "0" << qint64(0);
    QTest::newRow("zero with fraction") << "0.0" << qint64(0);
    QTest::newRow("negative") << "-5" << qint64(0);
    QTest::newRow("plus sign") << "+5" << qint64(0);
    QTest::newRow("fraction") << "2.5" << qint64(0);
    QTest::newRow("blanks only") << "   " << qint64(0);
    QTest::newRow("exponent") << "1e3" << qint64(0);
    QTest::newRow("letters") << "abc" << qint64(0);
    QTest::newRow("inner blank") << "1 0" << qint64(0);
    QTest::newRow("over ten years") << "315360001" << qint64(0);
    QTest::newRow("huge") << "99999999999999999999999999" << qint64(0);
    QTest::newRow("full-width digits") << "５" << qint64(0);
    QTest::newRow("arabic-indic digits") << "٥" << qint64(0);
}

void TestConversions::alarmSeconds()
{
    QFETCH(QString, text);
    QFETCH(qint64, expected);
    QCOMPARE(conv::alarmSeconds(text).value_or(0), expected);
}

void TestConversions::figures_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("hours");
    QTest::addColumn<QString>("clockLine");
    QTest::addColumn<QString>("seconds");
    auto at = [](int y, int mo, int d, int h, int mi, int s) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime);
    };
    QTest::newRow("a week before") << at(2015, 6, 1, 8, 0, 0) << "6"
                                   << "136"
                                   << "2015年6月1日8时0分"
                                   << "0";
    QTest::newRow("new year's eve") << at(2014, 12, 31, 23, 59, 59) << "157"
                                    << "3768"
                                    << "2014年12月31日23时59分"
                                    << "59";
    QTest::newRow("before half past") << at(2015, 6, 1, 8, 29, 59) << "6"
                                      << "136"
                                      << "2015年6月1日8时29分"
                                      << "59";
    QTest::newRow("after half past") << at(2015, 6, 1, 8, 30, 1) << "6"
                                     << "135"
                                     << "2015年6月1日8时30分"
                                     << "1";
    QTest::newRow("before noon") << at(2015, 6, 6, 11, 59, 59) << "1"
                                 << "12"
                                 << "2015年6月6日11时59分"
                                 << "59";
    QTest::newRow("after noon") << at(2015, 6, 6, 12, 0, 1) << "0"
                                << "12"
                                << "2015年6月6日12时0分"
                                << "1";
    QTest::newRow("evening before") << at(2015, 6, 6, 18, 0, 0) << "0"
                                    << "6"
                                    << "2015年6月6日18时0分"
                                    << "0";
    QTest::newRow("exam begins") << at(2015, 6, 7, 0, 0, 0) << "0"
                                 << "0"
                                 << "2015年6月7日0时0分"
                                 << "0";
    QTest::newRow("no leading zeros") << at(2015, 6, 7, 0, 5, 0) << "0"
                                      << "0"
                                      << "2015年6月7日0时5分"
                                      << "0";
    QTest::newRow("during the exam") << at(2015, 6, 7, 9, 0, 0) << "0"
                                     << "-9"
                                     << "2015年6月7日9时0分"
                                     << "0";
    QTest::newRow("a day after") << at(2015, 6, 8, 0, 0, 0) << "-1"
                                 << "-24"
                                 << "2015年6月8日0时0分"
                                 << "0";
}

void TestConversions::figures()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, days);
    QFETCH(QString, hours);
    QFETCH(QString, clockLine);
    QFETCH(QString, seconds);
    QCOMPARE(figures::daysLeft(now), days);
    QCOMPARE(figures::hoursLeft(now), hours);
    QCOMPARE(figures::clockLine(now), clockLine);
    QCOMPARE(figures::seconds(now), seconds);
}

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
