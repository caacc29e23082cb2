// Qt's own file dialog as the program asks for it, shown without waiting on it
// and answered through its controls.
#include "gui/platform/QtFileDialogs.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quillet;

namespace {

// What the dialog showed, and what the test typed into it.
struct Visit
{
    QString typed;         // typed into the name field; empty to cancel
    QString acceptCaption; // the accept button's text
    QStringList listed;    // the file names the list shows
};

QStringList listedNames(const QFileDialog& dialog)
{
    QStringList names;
    const auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(list->rootIndex()); ++row)
        names << model->index(row, 0, list->rootIndex()).data().toString();
    names.sort();
    return names;
}

QtFileDialogs::DialogRunner visiting(Visit& visit, int expectedFiles)
{
    return [&visit, expectedFiles](QDialog& shown) {
        auto& dialog = static_cast<QFileDialog&>(shown);
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            return -1;
        // The folder is read in the background.
        QTest::qWaitFor([&] { return listedNames(dialog).size() >= expectedFiles; }, 5000);
        visit.listed = listedNames(dialog);
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QPushButton* accept = dialog.acceptMode() == QFileDialog::AcceptSave ? buttons->button(QDialogButtonBox::Save)
                                                                             : buttons->button(QDialogButtonBox::Open);
        visit.acceptCaption = accept->text();
        if (visit.typed.isEmpty()) {
            dialog.reject();
        } else {
            name->selectAll();
            QTest::keyClicks(name, visit.typed);
            accept->click();
        }
        return dialog.result();
    };
}

void touch(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestQtFileDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void opensWhatIsTyped_data()
    {
        QTest::addColumn<bool>("create");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("caption");
        QTest::newRow("open an existing file") << false << "Friends.DAT"
                                               << "Friends.DAT"
                                               << "&Open";
        QTest::newRow("open, another case") << false << "family.dat"
                                            << "family.dat"
                                            << "&Open";
        QTest::newRow("create adds the extension") << true << "Club"
                                                   << "Club.DAT"
                                                   << "Create";
        QTest::newRow("cancelled") << false << ""
                                   << ""
                                   << "&Open";
    }
    void opensWhatIsTyped()
    {
        QFETCH(bool, create);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(QString, caption);
        QTemporaryDir folder;
        touch(folder.filePath(QStringLiteral("Friends.DAT")));
        touch(folder.filePath(QStringLiteral("family.dat")));
        touch(folder.filePath(QStringLiteral("notes.txt")));
        Visit visit{typed, {}, {}};
        QtFileDialogs dialogs(QtFileDialogs::Style::QtOwn, visiting(visit, 2));
        FileDialogRequest request{QStringLiteral("Open"), folder.path(), QStringLiteral("Contacts (*.DAT)|*.DAT")};
        request.createStyle = create;
        request.defaultSuffix = QStringLiteral("DAT");
        const FileChoice choice = dialogs.chooseFile(request);
        QCOMPARE(choice.title, expected);
        QCOMPARE(choice.path, expected.isEmpty() ? QString() : folder.filePath(expected));
        QCOMPARE(visit.acceptCaption, caption);
        // The filter matches without regard to case and hides other files.
        QCOMPARE(visit.listed, QStringList({QStringLiteral("Friends.DAT"), QStringLiteral("family.dat")}));
    }
};

QTEST_MAIN(TestQtFileDialogs)
#include "tst_qtfiledialogs.moc"
