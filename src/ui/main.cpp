// Tarnwick's entry: creates the application and its main window and runs the event loop.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tarnwick"));
    window.resize(1074, 740);
    window.show();
    return app.exec();
}
