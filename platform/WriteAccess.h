// Whether the program may write where it wants to: the question behind the
// settings folder and the installer's restart with administrator rights.
#pragma once

#include <string>

// True when the process can create a file in the folder, or, for a folder not
// made yet, in the nearest folder above it that exists. Tried with a scratch
// file that vanishes when closed, so read-only media and denied rights count alike.
//
// Test seam: folders named in the environment variable
// MURALOTROPE_TEST_UNWRITABLE_FOLDERS (separated by ';') and everything inside
// them count as unwritable. Tests set it because under Wine, run as root,
// every folder is writable.
bool CanWriteInFolder(const std::string& folder);
