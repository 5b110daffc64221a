#pragma once
// Stand-in for the host SDK's system utilities: the language pack's choice of resources.
// The reference gives no return value; none is used.

namespace MaxSDK::Util {

// Has the host's language pack choose the calling module's resource language.
void UseLanguagePackLocale();

}  // namespace MaxSDK::Util
