// Tells whether the test runs under Wine rather than on Windows or Linux, for
// the few results that differ on Wine for reasons outside the system.
#pragma once

bool running_under_wine();
