#pragma once
// Insert > Signature: the user signs, the signature becomes a picture at the caret.
#include <QString>

class EditorWindow;

namespace SignatureCommands {

void InsertSignature(EditorWindow* window);
// Where each signature's picture is written (and overwritten by the next).
QString signatureImagePath();

}  // namespace SignatureCommands
