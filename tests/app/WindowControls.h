#pragma once

// The main window's controls, actions and document as a check from outside finds them: controls
// and actions by their object names (the names of the window layout), the document through the
// seam the tools use.

#include "editing/ColorPickerButton.h"
#include "help/HelpRouter.h"
#include "help/WhatsThis.h"
#include "preview/PreviewImage.h"
#include "scheme/SchemeFile.h"
#include "tools/DocumentSeam.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <vector>

template <class T> T* NamedChild(const QObject& window, const char* name)
{
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << "the window has no " << name;
    return child;
}

inline QListWidget* ListBox1(const QObject& window)
{
    return NamedChild<QListWidget>(window, "ListBox1");
}
inline QLineEdit* EditColorValue(const QObject& window)
{
    return NamedChild<QLineEdit>(window, "EditColorValue");
}
inline QLineEdit* EditDescription(const QObject& window)
{
    return NamedChild<QLineEdit>(window, "EditDescription");
}
inline TColorPickerButton* ColorPickerButton1(const QObject& window)
{
    return NamedChild<TColorPickerButton>(window, "ColorPickerButton1");
}
inline TPreviewImage* Image1(const QObject& window)
{
    return NamedChild<TPreviewImage>(window, "Image1");
}
inline QLabel* StatusPanel0(const QObject& window)
{
    return NamedChild<QLabel>(window, "StatusPanel0");
}
inline QLabel* StatusPanel1(const QObject& window)
{
    return NamedChild<QLabel>(window, "StatusPanel1");
}
inline THelpRouter* HelpRouter(const QObject& window)
{
    return NamedChild<THelpRouter>(window, "HelpRouter");
}
inline TWhatsThis* WhatsThis(const QObject& window)
{
    return NamedChild<TWhatsThis>(window, "WhatsThis");
}
inline QAction* Action(const QObject& window, const char* name)
{
    return NamedChild<QAction>(window, name);
}
// The menus of the menu bar: 0 File, 1 Edit, 2 Tools, 3 Help.
inline QMenu* Menu(const QObject& window, int index)
{
    const std::array<const char*, 4> names = {"MenuFile", "MenuEdit", "MenuTools", "MenuHelp"};
    return NamedChild<QMenu>(window, names.at(std::size_t(index)));
}

inline std::vector<TRGBTriple> Colors(const TDocumentSeam& document)
{
    return {document.Colors().begin(), document.Colors().end()};
}
