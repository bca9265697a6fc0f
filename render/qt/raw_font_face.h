#pragma once

struct hb_face_t;
class QRawFont;

// A HarfBuzz face that reads the font's tables through Qt, which knows the font file. The raw
// font must outlive the face; destroy the face with hb_face_destroy.
hb_face_t* FaceOfRawFont(const QRawFont& raw);
