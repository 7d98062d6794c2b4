// Cookie texts as the HTTP client keeps them: "name=value" items joined by
// "; ", the caller's jar holding one item per name.
#pragma once

#include <string>
#include <string_view>

namespace talvek {

// The text before the first "=" (the whole item without one), trimmed.
std::string cookieName(std::string_view item);

// Items split at `separator`, each kept at its first occurrence only
// (exact comparison), joined again in their order.
std::string removeDuplicateItems(std::string_view text, std::string_view separator);

// Cookie pairs of one more response added to those gathered before, so a
// request that was moved keeps the pairs of every answer.
std::string appendCookiePairs(std::string_view gathered, std::string_view pairs);

// Fresh items first, then the jar's items whose names are not among them
// nor taken already; a fresh value "deleted" drops the cookie. The result replaces the jar and
// is returned.
std::string mergeCookies(std::string& jar, std::string_view fresh);

}  // namespace talvek
