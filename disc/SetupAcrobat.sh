#!/bin/sh
# The disc's PDF reader installer. On this platform the documentation viewer renders PDF
# documents itself, so there is nothing to install.
echo "The documentation viewer of this disc needs no separate PDF reader."
exit 0
