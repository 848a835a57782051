#include "app/ErrorText.h"

QString errorText(const QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
}
