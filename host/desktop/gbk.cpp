#include "host/desktop/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// Converts with iconv; where an input unit cannot be converted, writes
// `replacement` and skips `skip` bytes of input.
std::string Convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, std::size_t skip) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  std::string output;
  std::vector<char> chunk(256);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    char* out = chunk.data();
    std::size_t outLeft = chunk.size();
    const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
    output.append(chunk.data(), chunk.size() - outLeft);
    if (done != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or a sequence cut short at the end (EINVAL).
    output.append(replacement);
    const std::size_t step = std::min(skip, inLeft);
    in += step;
    inLeft -= step;
  }
  iconv_close(converter);
  return output;
}

}  // namespace

wxString FromGbk(std::string_view bytes) {
  static constexpr wchar_t kQuestionMark = L'?';
  const std::string wide =
      Convert("WCHAR_T", "GBK", bytes,
              std::string_view(reinterpret_cast<const char*>(&kQuestionMark), sizeof kQuestionMark), 1);
  return wxString(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / sizeof(wchar_t));
}

std::string ToGbk(const wxString& text) {
  const std::wstring wide = text.ToStdWstring();
  return Convert("GBK", "WCHAR_T",
                 std::string_view(reinterpret_cast<const char*>(wide.data()),
                                  wide.size() * sizeof(wchar_t)),
                 "?", sizeof(wchar_t));
}
