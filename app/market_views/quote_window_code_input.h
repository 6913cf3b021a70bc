#pragma once

class QLineEdit;

namespace tavrin {

// Lets the user type only digits into the box: an edit that would add any other
// character is refused. What the program puts into the box is kept as it is, and
// deleting is always allowed. Any validator the box had (a typing limit) still applies.
void acceptDigitsOnly(QLineEdit& box);

} // namespace tavrin
