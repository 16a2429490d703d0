#include "platform/application.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The real message box, answered with whatever its default button is (Enter), as a user
// pressing Enter out of habit would.
struct RealBoxes
{
    QByteArray scripted = qgetenv("TARVELIN_SCRIPTED_BOXES");
    RealBoxes() { qunsetenv("TARVELIN_SCRIPTED_BOXES"); }
    ~RealBoxes() { qputenv("TARVELIN_SCRIPTED_BOXES", scripted); }
};

void pressKeyOnTheBox(Qt::Key key, QString &defaultText)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, key, &defaultText] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        QPushButton *def = box->defaultButton();
        defaultText = def ? def->text() : QString();
        QTest::keyClick(box, key);
    });
    timer->start(10);
}

} // namespace

TEST(Prompter, EnterAnswersNieToADeletionTakToTheSaveQuestionWhichEscapeCallsOff)
{
    RealBoxes real;
    QString defaultText;
    pressKeyOnTheBox(Qt::Key_Return, defaultText);
    EXPECT_FALSE(platform::ConfirmDeletion(QStringLiteral("Czy na pewno usunąć wybrany pomiar?"),
                                           QStringLiteral("Potwierdź usunięcie danych ")));
    EXPECT_EQ(defaultText, "Nie");
    pressKeyOnTheBox(Qt::Key_Escape, defaultText);
    EXPECT_EQ(platform::AskYesNoCancel("Nie zapisano danych. Zapisać?", "Potwierdź zapisanie danych "),
              platform::MsgCancel);
    EXPECT_EQ(defaultText, "Tak");
}

TEST(QtTranslation, QtsOwnDialogsSpeakPolishWhereTheSystemHasTheTranslation)
{
    QTranslator *polish = platform::InstallQtPolishTranslation();
    if (!polish)
        GTEST_SKIP() << "qtbase_pl is not installed (tools/deps.sh installs qt6-translations-l10n)";
    const QString title = QPrintDialog().windowTitle();
    QCoreApplication::removeTranslator(polish);
    EXPECT_EQ(title.toStdString(), "Drukowanie");
}
