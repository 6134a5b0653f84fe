#pragma once
// The questions the bench window asks before stored measurements could be lost.

#include <QString>

class QWidget;

namespace eh {

enum class UnsavedAnswer { Save, Discard, Cancel };

// Asked when the window is closed with `count` unsaved measurements. Without
// `canSave` (the interface is off, so its "Salvar" button cannot be used) the
// question offers only to close without saving or to cancel.
UnsavedAnswer askBeforeClosing(QWidget* parent, int count, bool canSave);

// Asked before "Inicializar" empties `count` unsaved measurements; true to go on.
bool askBeforeEmptying(QWidget* parent, int count);

// The message of a press of "Acumular" on a full register.
QString registerFullMessage(int capacity);
inline constexpr const char* kRegisterFullTitle = "REGISTRO LLENO";

} // namespace eh
