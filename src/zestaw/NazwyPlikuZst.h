#pragma once

#include <array>

// The names of the set file (".zst") under which it refers to other files, shared by the set's reader and
// writer and by the set archives, which find and rewrite those paths without opening the set. The set's
// configuration element names its own (TKonfiguracjaZestawu).
namespace NazwyZst {

// The estimates: "kosztorys" elements inside "kosztorysy" (directly under the root in the older layout).
inline constexpr char Kosztorysy[] = "kosztorysy";
inline constexpr char Kosztorys[] = "kosztorys";
inline constexpr char SciezkaKosztorysu[] = "path";
// The specification list of the set.
inline constexpr char Sst[] = "sst";
inline constexpr char SciezkaSpisu[] = "path";

// Every attribute of an estimate's element that holds a file's path, in stored form.
inline constexpr std::array<const char*, 1> SciezkiKosztorysu{SciezkaKosztorysu};

} // namespace NazwyZst
