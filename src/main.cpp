#include "form2.h"
#include "qttranslations.h"
#include "seatingfile.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("posti"));
    QtTranslations::installItalian();

    Form2 window(SeatingFile::defaultPath());
    window.startUp();
    window.show();
    return QApplication::exec();
}
