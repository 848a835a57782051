#pragma once

#include <QString>

// The text the error display shows for a message: a full stop is appended when the message
// is not empty and its last character's code is greater than that of the full stop.
QString errorText(const QString& message);
