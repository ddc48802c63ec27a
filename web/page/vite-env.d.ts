// Pictures imported by the page with "?inline" are data addresses, in every build.
// SPDX-License-Identifier: GPL-3.0-or-later
declare module "*?inline" {
    const address: string;
    export default address;
}
declare module "*.css";
