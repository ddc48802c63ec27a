// Files that the page hands to the browser to save, and text for the clipboard. Nothing leaves the
// machine: a download of a blob made here, named as the desktop names it.
// SPDX-License-Identifier: GPL-3.0-or-later

/** Offers the content as a download under the given name. */
export function download(name: string, content: Blob): void {
    const address = URL.createObjectURL(content);
    const link = document.createElement("a");
    link.href = address;
    link.download = name;
    link.hidden = true;
    document.body.append(link);
    link.click();
    link.remove();
    // The browser has taken the blob once the click is handled; the address can go after this turn.
    setTimeout(() => URL.revokeObjectURL(address), 0);
}

/** A text file, byte for byte as given: the saved data keeps its CR LF line ends. */
export function textFile(text: string, type: string): Blob {
    return new Blob([new TextEncoder().encode(text)], { type });
}

/** Puts the text on the clipboard; false where the browser does not allow it (a file, an old browser). */
export async function copyText(text: string): Promise<boolean> {
    try {
        await navigator.clipboard.writeText(text);
        return true;
    } catch {
        return false;
    }
}
