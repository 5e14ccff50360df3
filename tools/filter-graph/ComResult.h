#pragma once
#include <windows.h>

#include <string>

// A COM result code as the 0x-prefixed hexadecimal text users can look up.
std::string DescribeResult(HRESULT hr);
