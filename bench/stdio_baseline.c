// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

/* A run's reads and writes alone, in plain C: the floor that the cost of a
   whole series run is measured against. */
#include <stdio.h>

int main(void) {
    int a = 0;
    int n = 0;
    printf("Input a,n:\n");
    if (scanf("%d %d", &a, &n) != 2) {
        a = 0;
    }
    printf("answer:%d\n", a);
    return 0;
}
