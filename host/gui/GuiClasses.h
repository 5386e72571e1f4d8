// The published properties of the host's visual classes, and the names of their values.
#pragma once

#include "host/classes/TypInfo.h"

// Registers TFont, the controls, TForm, TStatusBar and TImageList for storing with a form.
// Safe to call more than once.
void RegisterGuiClasses();

// Colour names (clBtnFace, clWindowText ...) for properties of type TColor.
const TIdentMap& ColorIdents();
// Charset names (DEFAULT_CHARSET ...) for a font's Charset.
const TIdentMap& CharsetIdents();
// Alignment names (alNone ... alClient).
const TIdentMap& AlignIdents();
