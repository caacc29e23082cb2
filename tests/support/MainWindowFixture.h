#pragma once

#include "gui/main/MainWindow.h"
#include "support/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace quillet::test {

// A started main window over the scripted platform, with the program's folder in
// a fresh temporary folder.
class MainWindowFixture
{
public:
    MainWindowFixture()
    {
        qputenv("QUILLET_HOME", home.path().toUtf8());
        window = std::make_unique<MainWindow>(scripted.platform());
        window->start();
        // Focus and shortcuts need the window to be the active one.
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("main window did not become active");
    }
    ~MainWindowFixture()
    {
        window->close();
        qunsetenv("QUILLET_HOME");
    }

    template <typename T = QWidget> T* get(const char* name) const { return child<T>(*window, name); }
    QAction* action(const char* name) const { return get<QAction>(name); }
    QLineEdit* line(int n) const
    {
        static const char* names[] = {"txtLMLine1", "txtLMLine2", "txtLMline3", "txtLMLine4", "txtLMLine5"};
        return get<QLineEdit>(names[n - 1]);
    }
    QString leftPad() const { return get<QLineEdit>("txtLMLeftPad")->text(); }
    QString topPad() const { return get<QLineEdit>("txtLMToppad")->text(); }

    // Options and check boxes take clicks on their indicator and text only, not
    // across their whole width, so those are clicked near the left edge.
    void click(const char* name) const
    {
        QWidget* control = get(name);
        const bool indicator = qobject_cast<QRadioButton*>(control) || qobject_cast<QCheckBox*>(control);
        QTest::mouseClick(control, Qt::LeftButton, {}, indicator ? QPoint(6, control->height() / 2) : QPoint());
    }
    void type(int lineNumber, const QString& text) const { QTest::keyClicks(line(lineNumber), text); }

    // Label stock with the answers given to the position box (none: cancelled).
    void chooseLabel(const QStringList& answers)
    {
        for (const QString& answer : answers)
            scripted.prompter.inputAnswers.enqueue(answer);
        click("optLMLabel");
    }
    // A size chosen in the envelope list from the keyboard, as a user would.
    void chooseEnvelopeSize(int sizeNo) const
    {
        auto* sizes = get<QComboBox>("cboLMEnvelope");
        while (sizes->currentIndex() + 1 != sizeNo) {
            sizes->setFocus();
            QTest::keyClick(sizes, sizeNo > sizes->currentIndex() + 1 ? Qt::Key_Down : Qt::Key_Up);
        }
    }

    QTemporaryDir home;
    ScriptedPlatform scripted;
    std::unique_ptr<MainWindow> window;
};

} // namespace quillet::test
