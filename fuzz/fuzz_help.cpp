// The help document reader takes any bytes.
#include "fuzz_support.h"
#include "help/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string html = rtf::toHtml(asText(data, size));
    // Whatever it makes is text the help view can take: no NUL inside.
    if (html.find('\0') != std::string::npos)
        __builtin_trap();
    return 0;
}
