// Storing components with their published properties, in the binary component stream and in
// its text form.
//
// A stored component is its class name and name (short strings), its properties (published
// ones first, then those it defines itself), vaNull, the components stored inside it, and
// vaNull. A stored root starts with the signature "TPF0".
//
// The text form writes the same content readably:
//
//   object YGrid1: TYGrid
//     Holder.ColCount = 7
//     Holder.ColWidths = (
//       64
//       64)
//     Options = [ygoVertLine, ygoHorzLine]
//     OnFocusCell = YGrid1FocusCell
//   end
//
// Every reader below raises EReadError for a form nested deeper than MaxStoredNesting levels
// (Filer.h), so hostile input cannot exhaust the stack, and the text it writes grows linearly
// with the binary it reads.
//
// Strings are quoted with '' for a quote inside; characters below 32 are written as #n
// outside the quotes; sets stand in brackets, lists in parentheses, collections as items in
// angle brackets, binary data as hexadecimal digits in braces.
#pragma once

#include "Components.h"
#include "Streams.h"

#include <string>

// Writes Root, its properties and the components stored inside it, after the signature.
void WriteRootComponent(TStream& Stream, TComponent& Root);
// Reads a stored root into the existing Root: its class name must be Root's, the components
// stored inside it are created (owned by Root) unless Root already owns a component of that
// name and class, which is then read into; references and event handlers are resolved
// once everything is read, and then every component read gets Loaded. Raises EReadError
// naming the component and property that failed.
void ReadRootComponent(TStream& Stream, TComponent& Root);

// Converts between the binary stream and its text form (UTF-8). Both raise EReadError (the
// text conversion with the line number) on malformed input.
void ObjectBinaryToText(TStream& Input, TStream& Output);
void ObjectTextToBinary(TStream& Input, TStream& Output);

// Reads Root from a stored description in text form.
void ReadComponentText(const std::string& Text, TComponent& Root);
// Root's stored description in text form.
std::string ComponentToText(TComponent& Root);
