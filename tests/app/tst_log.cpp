#include "TestSupport.h"

#include "common/Log.h"

class TestLog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void escapesControlCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("plain") << QStringLiteral("Import [pending]: 'Zoë' staged") << QStringLiteral("Import [pending]: 'Zoë' staged");
        QTest::newRow("line breaks") << QStringLiteral("a\nb\r\nc") << QStringLiteral("a\\nb\\r\\nc");
        QTest::newRow("tab and escape") << QStringLiteral("a\tb\x1b[31m") << QStringLiteral("a\\tb\\u001b[31m");
        QTest::newRow("unicode separators") << QString(QChar(0x2028)) + QChar(0x85) << QStringLiteral("\\u2028\\u0085");
        QTest::newRow("emoji stay") << QStringLiteral("\U0001F41F fish") << QStringLiteral("\U0001F41F fish");
    }

    void escapesControlCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QCOMPARE(Log::escaped(text), escaped);
        TestSupport::LogCapture capture;
        Log::line(text);
        QCOMPARE(capture.lines, QStringList{escaped});
    }
};

TARNWICK_TEST_MAIN(TestLog)
#include "tst_log.moc"
