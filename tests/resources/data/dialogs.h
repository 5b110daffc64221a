// Identifiers of the small resource scripts the dialog generator is tried on.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define IDD_FIRST 200
#define IDD_SECOND 201
#define IDC_FIRST 1001
#define IDC_SECOND 1002
