/** Paket */
package p;

import a.B;