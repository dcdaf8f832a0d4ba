# Run by CPack on the staged files, before it packs them: strips the game as
# Debian's dh_strip strips a program, the symbols and the compiler's .comment
# and .note sections alike.
set(binary "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_TORVELO_BINARY}")
execute_process(COMMAND strip --remove-section=.comment --remove-section=.note "${binary}"
                COMMAND_ERROR_IS_FATAL ANY)
