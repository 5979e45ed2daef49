# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Renders the manual page PAGE as TEXT: plain text without hyphenation, with
# Windows line ends. Run with cmake -P.
execute_process(COMMAND ${GROFF} -man -Tascii -P-cbou -rHY=0 ${PAGE}
                OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${TEXT} "${text}")
