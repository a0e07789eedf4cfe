// The real message boxes: each box's title, buttons and sound, and what
// Escape answers.
#include "ui/app/QtPrompter.h"

#include "ScriptedPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using Answer = tintora::Prompter::Answer;

class QtPrompterTest : public QObject {
    Q_OBJECT
private slots:
    void eachBoxHasItsTitleButtonsAndSound_data()
    {
        QTest::addColumn<int>("box");  // index into boxes()
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<int>("escapeAnswer");
        const QStringList ok{QStringLiteral("OK")};
        const QStringList yesNo{QStringLiteral("&Yes"), QStringLiteral("&No")};
        const QStringList yesNoCancel{QStringLiteral("&Yes"), QStringLiteral("&No"), QStringLiteral("Cancel")};
        const int none = -1;
        QTest::newRow("inform") << 0 << "Information" << ok << "SystemAsterisk" << none;
        QTest::newRow("error") << 1 << "Error" << ok << "SystemHand" << none;
        QTest::newRow("confirm") << 2 << "Confirm" << yesNo << "SystemQuestion" << int(Answer::No);
        QTest::newRow("askInformation") << 3 << "Information" << yesNo << "SystemAsterisk" << int(Answer::No);
        QTest::newRow("askYesNoCancel") << 4 << "Confirm" << yesNoCancel << "SystemQuestion" << int(Answer::Cancel);
        // Without the program's application object, captioned with the application's name; no sound.
        QTest::newRow("reportError") << 5 << QApplication::applicationDisplayName() << ok << "" << none;
    }
    void eachBoxHasItsTitleButtonsAndSound()
    {
        QFETCH(int, box);
        tintora::testing::ScriptedSounds sounds;
        QtPrompter prompter(sounds, nullptr);
        QFETCH(QStringList, buttons);
        QString title;
        QStringList shownButtons;
        QStringList playedBeforeShown;
        // The box is modal: it is read, then Escape is pressed, from the event loop.
        QTimer::singleShot(0, this, [&] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(shown);
            title = shown->windowTitle();
            for (QAbstractButton* b : shown->buttons())
                shownButtons << b->text();
            for (const std::string& s : sounds.played)
                playedBeforeShown << QString::fromStdString(s);
            QTest::keyClick(shown, Qt::Key_Escape);
        });
        const int answer = boxes()[box](prompter, "Text of the box");
        QTEST(title, "title");
        shownButtons.sort();
        buttons.sort();
        QCOMPARE(shownButtons, buttons);
        QTEST(playedBeforeShown.join(','), "sound");  // started before the box, once
        QCOMPARE(sounds.played.size(), std::size_t(playedBeforeShown.isEmpty() ? 0 : 1));
        QTEST(answer, "escapeAnswer");
    }

    // Yes is the default: Enter answers Yes.
    void enterAnswersYes()
    {
        tintora::testing::ScriptedSounds sounds;
        QtPrompter prompter(sounds, nullptr);
        QTimer::singleShot(0, this, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
        QVERIFY(prompter.confirm("Delete?"));
        QTimer::singleShot(0, this, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
        QCOMPARE(prompter.askYesNoCancel("Save?"), Answer::Yes);
    }

private:
    // Each box, its answer as a number (-1 for a box with OK alone).
    static std::vector<std::function<int(QtPrompter&, std::string_view)>> boxes()
    {
        return {
            [](QtPrompter& p, std::string_view t) { return p.inform(t), -1; },
            [](QtPrompter& p, std::string_view t) { return p.error(t), -1; },
            [](QtPrompter& p, std::string_view t) { return int(p.confirm(t) ? Answer::Yes : Answer::No); },
            [](QtPrompter& p, std::string_view t) { return int(p.askInformation(t) ? Answer::Yes : Answer::No); },
            [](QtPrompter& p, std::string_view t) { return int(p.askYesNoCancel(t)); },
            [](QtPrompter& p, std::string_view t) { return p.reportError(t), -1; },
        };
    }
};

QTEST_MAIN(QtPrompterTest)
#include "QtPrompterTest.moc"
