#include "platform/name_patterns.h"

#include <fnmatch.h>

bool MatchesPattern(const QByteArray& pattern, const QByteArray& text, bool wholePath) {
    return fnmatch(pattern.constData(), text.constData(), wholePath ? FNM_PATHNAME : 0) == 0;
}
