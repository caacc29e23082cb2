// The desktop's document and web address opening, through Qt's own URL routing:
// a handler stands in for the user's browser and viewer.
#include "gui/platform/QtDesktop.h"

#include <QDesktopServices>
#include <QTest>

using namespace quillet;

class TestQtDesktop : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE void open(const QUrl& url) { m_opened << url; }

private slots:
    void cleanup()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        m_opened.clear();
    }

    void opensWithTheDefaultApplication_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("document"); // empty: a web address
        QTest::addColumn<QUrl>("expected");
        QTest::newRow("manual") << "file"
                                << "/tmp/Quillet folder/qltUman.pdf"
                                << QUrl(QStringLiteral("file:///tmp/Quillet%20folder/qltUman.pdf"));
        QTest::newRow("web page") << "https"
                                  << "" << QUrl(QStringLiteral("https://tools.usps.com/zip-code-lookup.htm?byaddress"));
    }
    void opensWithTheDefaultApplication()
    {
        QFETCH(QString, scheme);
        QFETCH(QString, document);
        QFETCH(QUrl, expected);
        QDesktopServices::setUrlHandler(scheme, this, "open");
        QtDesktop desktop;
        QVERIFY(document.isEmpty() ? desktop.openUrl(expected) : desktop.openDocument(document));
        QCOMPARE(m_opened, QList<QUrl>{expected});
    }

private:
    QList<QUrl> m_opened;
};

QTEST_MAIN(TestQtDesktop)
#include "tst_qtdesktop.moc"
