// SPDX-License-Identifier: GPL-3.0-or-later
#include "stlfile.h"

#include "numeric.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace quorvane {

namespace {

constexpr std::size_t kHeaderBytes = 80;
constexpr std::size_t kFacetBytes = 50; // twelve floats and a 16-bit attribute

static_assert(std::endian::native == std::endian::little, "STL is little-endian; add byte swapping here");

void Put(char *&at, float value) {
    std::memcpy(at, &value, sizeof value);
    at += sizeof value;
}

void Put(char *&at, Vec3 v) {
    Put(at, static_cast<float>(v.x));
    Put(at, static_cast<float>(v.y));
    Put(at, static_cast<float>(v.z));
}

} // namespace

std::size_t StlSize(std::size_t triangles) {
    return kHeaderBytes + sizeof(std::uint32_t) + kFacetBytes * triangles;
}

std::optional<std::string> StlRefusal(const Mesh &mesh) {
    if (mesh.triangles.empty())
        return "The pipe has no length: there is nothing to model.";
    const std::size_t size = StlSize(mesh.triangles.size());
    if (size <= kLargestStl)
        return std::nullopt;
    return "The model would be " + FormatFixed(size / 1e6, 1) + " MB, more than the " +
           FormatFixed(kLargestStl / 1e6, 0) + " MB an STL for a mock-up should take. Use fewer pieces.";
}

std::string StlBytes(const Mesh &mesh) {
    std::string bytes(StlSize(mesh.triangles.size()), '\0');
    // Not "solid …": some readers take a header starting so for a text STL.
    static constexpr char kHeader[] = "Quorvane expansion chamber, binary STL, millimetres";
    std::memcpy(bytes.data(), kHeader, sizeof kHeader - 1);
    char *at = bytes.data() + kHeaderBytes;
    const auto count = static_cast<std::uint32_t>(mesh.triangles.size());
    std::memcpy(at, &count, sizeof count);
    at += sizeof count;
    for (const auto &t : mesh.triangles) {
        const Vec3 a = mesh.vertices[t[0]], b = mesh.vertices[t[1]], c = mesh.vertices[t[2]];
        for (const Vec3 &v : {a, b, c})
            Checked(v.x), Checked(v.y), Checked(v.z);
        const Vec3 n = Cross(b - a, c - a);
        const double length = Length(n);
        Put(at, length > 0 ? (1 / length) * n : Vec3{});
        Put(at, a);
        Put(at, b);
        Put(at, c);
        at += sizeof(std::uint16_t);
    }
    return bytes;
}

} // namespace quorvane
