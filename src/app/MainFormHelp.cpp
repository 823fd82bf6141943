// Help and the About box.
#include "app/MainForm.h"

#include "help/UnitAbout.h"
#include "help/VersionText.h"

#include <QAction>

void TMainForm::ActionHelpAboutExecute()
{
    TFormAbout about(this);
    // The title is exactly the menu text, "..." included.
    about.setWindowTitle(
        QString::fromStdString(WithoutAccelerator(ActionHelpAbout->text().toStdString())));
    about.exec();
}

void TMainForm::ActionHelpWebExecute()
{
    OpenHomePage();
}
