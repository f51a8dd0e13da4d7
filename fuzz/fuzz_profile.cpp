// SPDX-License-Identifier: GPL-3.0-or-later
// The profile-file reader and editor on any bytes: reading never crashes;
// after a key is written it reads back as written; and in an 8-bit file the
// bytes outside the changed line stay as they were.
#include "profilefile.h"

#include <cstdint>
#include <cstdlib>

using namespace quorvane;

namespace {

// A name or value the file keeps exactly: no blanks to trim, no quotes to
// strip, no break, "=", "[" or ";" to change its meaning.
QString Plain(const std::uint8_t *data, std::size_t size, std::size_t longest) {
    QString text;
    for (std::size_t i = 0; i < size && std::size_t(text.size()) < longest; ++i) {
        const char c = static_cast<char>(data[i]);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
            c == '-')
            text += QLatin1Char(c);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 8)
        return 0;
    const QString section = Plain(data, 4, 4) + QStringLiteral("S");
    const QString key = Plain(data + 4, 4, 4) + QStringLiteral("k");
    const QString value = Plain(data + 8, size - 8, 100);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 8), qsizetype(size - 8));

    ProfileFile file;
    file.setBytes(bytes);
    (void)file.values(section, {key, QStringLiteral("other")});
    const ProfileFile::Encoding encoding = file.encoding();
    if (!file.setValue(section, key, value))
        std::abort(); // a plain value fits every encoding
    if (file.value(section, key) != value)
        std::abort();
    if (encoding != ProfileFile::Encoding::Latin1)
        return 0;
    const QByteArray after = file.bytes();
    qsizetype prefix = 0;
    while (prefix < bytes.size() && prefix < after.size() && bytes[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < bytes.size() - prefix && suffix < after.size() - prefix &&
           bytes[bytes.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    // What was replaced lies within one line of the old file.
    const QByteArray replaced = bytes.mid(prefix, bytes.size() - prefix - suffix);
    if (replaced.contains('\n') || replaced.contains('\r'))
        std::abort();
    return 0;
}
