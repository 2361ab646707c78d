// A bare Qt Widgets window with Italian text and Greek letters, to see whether a Qt built for
// Windows shows its windows under Wine at all, and how long the first one takes to map.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Perdita di carico Δp, scabrezza ε, densità ρ: più è così"));
    label.setWindowTitle(QStringLiteral("Prova Qt"));
    label.resize(420, 80);
    label.show();
    return QApplication::exec();
}
