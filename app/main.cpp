// Korvel starts at the welcome window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Korvel");
    QWidget welcome;
    welcome.setWindowTitle("Welcome");
    welcome.resize(480, 320);
    welcome.show();
    return app.exec();
}
