// Help and the About box.
#include "app/MainForm.h"

#include "help/HelpRequests.h"
#include "help/HelpRouter.h"
#include "help/UnitAbout.h"
#include "help/VersionText.h"

#include <QAction>

void TMainForm::ActionHelpContentsExecute()
{
    HelpRouter->HelpRequest(HELP_TAB, 0);
}

void TMainForm::ActionHelpIndexExecute()
{
    // An empty keyword opens the index where it starts.
    HelpRouter->HelpRequest(HELP_KEY, 0, "");
}

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
