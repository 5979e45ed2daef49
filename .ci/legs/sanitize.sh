about="the suite under AddressSanitizer and UndefinedBehaviorSanitizer"
packages=("${test_packages[@]}")
leg() { cmake --workflow --preset sanitize; }
