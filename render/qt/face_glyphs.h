#pragma once

#include <string>

// Whether the face a stored face name stands for (with the program's substitutes of Windows
// face names) has a glyph for the character itself, rather than a fallback face; true where no
// GUI application runs, as nothing then draws with faces.
bool FaceHasGlyph(const std::string& storedFace, char32_t code);
