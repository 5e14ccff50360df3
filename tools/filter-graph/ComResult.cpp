#include "ComResult.h"

#include <cstdio>

std::string DescribeResult(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}
