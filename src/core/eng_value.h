// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numbers in engineering notation (4.7k, 10M, 2,2n, 1.5E-3): the reader, the page writers and
// the number forms of the text files.
#include "core/eng_reader.h"
#include "core/eng_writers.h"
#include "core/file_numbers.h"
