// The application's name: the default caption of its message boxes.
#pragma once

// The executable's file name without folder and extension until the application sets one.
const char* AfxGetAppName();
void AfxSetAppName(const char* name);
