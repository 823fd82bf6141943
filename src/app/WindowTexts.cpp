#include "app/WindowTexts.h"

#include "app/MainFormControls.h"
#include "common/UiText.h"
#include "editing/ColorPickerButton.h"

#include <array>

namespace {

const std::array<TTextKey, 7> Keys = {
    WindowText::PickerHint,
    WindowText::ReplaceFileQuestion,
    WindowText::ReplaceLowerCase,
    WindowText::ReplaceUpperCase,
    WindowText::FilesFailed,
    WindowText::MoreFailures,
    WindowText::LineBreakInPath,
};

} // namespace

std::span<const TTextKey> WindowTextKeys()
{
    return Keys;
}

QString Text(const TTextKey& key)
{
    return FromWindows1252(OwnText(key));
}

void ApplyWindowTexts(TMainFormControls& controls)
{
    controls.ColorPickerButton1->SetHint(Text(WindowText::PickerHint));
    controls.ColorPickerButton1->setAccessibleDescription(Text(WindowText::PickerHint));
}
