// Tintwright: the application object, its title, the main window and the message loop.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tintwright");
    QMainWindow window;
    window.show();
    return application.exec();
}
