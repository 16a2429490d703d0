// The yardstick of the start-up benchmark: a Qt main window and nothing else, started,
// shown and closed the way the program is (the same close request after the same delay).
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(820, 630);
    window.show();
    const int autoclose = qEnvironmentVariableIntValue("TARVELIN_AUTOCLOSE_MS");
    if (autoclose > 0)
        QTimer::singleShot(autoclose, &window, [&window] { window.close(); });
    return app.exec();
}
