#include "app/WindowTexts.h"

#include "app/MainFormControls.h"
#include "editing/ColorPickerButton.h"
#include "help/HelpRouter.h"
#include "help/HelpViewerTexts.h"
#include "i18n/FileDialogTexts.h"

#include <array>

namespace {

const std::array<TTextKey, 23> Keys = {
    WindowText::PickerHint,
    WindowText::ReplaceFileQuestion,
    WindowText::ReplaceLowerCase,
    WindowText::ReplaceUpperCase,
    WindowText::FilesFailed,
    WindowText::MoreFailures,
    WindowText::LineBreakInPath,
    FileDialogText::Folder,
    FileDialogText::File,
    FileDialogText::TypedFile,
    FileDialogText::NoPreview,
    FileDialogText::PictureSize,
    FileDialogText::AllFiles,
    WindowText::HelpBack,
    WindowText::HelpForward,
    WindowText::HelpHome,
    WindowText::HelpContents,
    WindowText::HelpIndex,
    WindowText::HelpKeyword,
    WindowText::HelpDisplay,
    WindowText::HelpCannotOpen,
    WindowText::HelpNotRegularFile,
    WindowText::HelpTooLarge,
};

} // namespace

std::span<const TTextKey> WindowTextKeys()
{
    return Keys;
}

void ApplyWindowTexts(TMainFormControls& controls)
{
    controls.ColorPickerButton1->SetHint(Text(WindowText::PickerHint));
    controls.ColorPickerButton1->setAccessibleDescription(Text(WindowText::PickerHint));
    THelpViewerTexts help;
    help.Back = Text(WindowText::HelpBack);
    help.Forward = Text(WindowText::HelpForward);
    help.Home = Text(WindowText::HelpHome);
    help.Contents = Text(WindowText::HelpContents);
    help.Index = Text(WindowText::HelpIndex);
    help.KeywordLabel = Text(WindowText::HelpKeyword);
    help.Display = Text(WindowText::HelpDisplay);
    help.CannotOpen = Text(WindowText::HelpCannotOpen);
    help.NotRegularFile = Text(WindowText::HelpNotRegularFile);
    help.TooLarge = Text(WindowText::HelpTooLarge);
    controls.HelpRouter->SetViewerTexts(help);
}
