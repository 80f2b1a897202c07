#pragma once

// Answers to the duplicate questions of imports and merges, as remembered in the configuration.
enum TOpcjaDuplikatowNumeru { doNone, doPomin, doNadpisz };
enum TOpcjaDuplikatowPliku { dpoNone, dpoDodajBezPliku, dpoNadpiszPlikIPominSt, dpoNadpisz, dpoPominSt };
