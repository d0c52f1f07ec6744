/* The short solver's tables, as twophase_gentables wrote them (TWOPHASE_TABLES_FILE). */
    .section .rodata
    .balign 64
    .globl TwoPhaseTables
    .globl TwoPhaseTablesEnd
TwoPhaseTables:
    .incbin TWOPHASE_TABLES_FILE
TwoPhaseTablesEnd:
    .section .note.GNU-stack,"",@progbits
