// Pictures imported by the page with "?inline" are data addresses, in every build.
// SPDX-License-Identifier: GPL-3.0-or-later
declare module "*?inline" {
    const address: string;
    export default address;
}
declare module "*.css";
// A worker whose code the page carries inline and starts from a blob: it works from a file too.
declare module "*?worker&inline" {
    const InlineWorker: new (options?: { name?: string }) => Worker;
    export default InlineWorker;
}
