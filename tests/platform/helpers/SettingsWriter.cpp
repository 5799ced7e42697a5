// Writes COUNT integer settings NAME0..NAME(COUNT-1) into the per-user hive, one at a time,
// and prints each index once its write has returned.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Registry.h"

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const std::string prefix = argv[1];
    const int count = std::atoi(argv[2]);
    tavo::platform::TRegistry registry(tavo::platform::HKEY::CurrentUser);
    if (!registry.OpenKey("\\Software\\TerVik\\SETUP_1_0\\Writes", true))
        return 1;
    for (int i = 0; i < count; ++i) {
        registry.WriteInteger(prefix + std::to_string(i), i);
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    return 0;
}
