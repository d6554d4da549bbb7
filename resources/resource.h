// Numbers of the resources that the program file carries.
#ifndef NEREKU_RESOURCES_RESOURCE_H
#define NEREKU_RESOURCES_RESOURCE_H

// The program icon (an icon group).
#define IDI_NEREKU_SUDOKU 101

// The button pictures, of the resource type "PICTURE".
#define IDP_NEW_LEVEL 102
#define IDP_RESTART_LEVEL 103
#define IDP_SAVE_LEVEL 104
#define IDP_DELETE_LEVEL 105
#define IDP_SOLVE_LEVEL 106
#define IDP_LEVEL_EDITOR 107
#define IDP_HELP 108
#define IDP_ABOUT 109

// The sounds, of the resource type "WAVE".
#define IDW_CLICK 110
#define IDW_SUCCESS 111

#endif
